# The generated part of the content set (functions in cmake/Content.cmake). Names are paths inside assets/.
set(ART ${CMAKE_SOURCE_DIR}/assets-src)

# Pictures the game opens as files.
content_picture(${ART}/images/Cursor.svg scenes/images/Cursor.png)
content_picture(${ART}/images/Icon.svg icon.png)
content_picture(${ART}/images/logos/PellwickLogo.svg logos/PellwickLogo.png)
content_picture(${ART}/images/logos/VerandelLogo.svg logos/VerandelLogo.png)
content_picture(${ART}/images/backgrounds/MainMenuBg.svg scenes/backgrounds/MainMenuBg.png)
content_picture(${ART}/images/backgrounds/MapBg.svg scenes/backgrounds/MapBg.png)
content_picture(${ART}/images/backgrounds/ComicsPage.svg scenes/backgrounds/ComicsPage.png)

# Atlases: every picture under the folder becomes a frame named by its path there.
content_atlas(atlases/MainMenu ${ART}/atlases/MainMenu PREFIX scenes/images/)
# The city map's hints show each upgrade a level needs by the shop's picture of it, drawn small.
content_atlas(atlases/MapMenu ${ART}/atlases/MainMenu/Shop/Upgrades PREFIX scenes/images/Map/Icons/ SIZE 30)
# The weather and hint particles, named as the level scene asks for them ("particles/Rain.png").
content_atlas(atlases/Effects ${ART}/atlases/Effects)
# The movers, balloons and fireworks of levels/common/Movers.qscn, scenes/MainMenuMovers.qscn and the fireworks.
content_atlas(atlases/Movers ${ART}/atlases/Movers PREFIX levels/common/images/)
content_atlas(atlases/GameMenu ${ART}/atlases/GameMenu PREFIX scenes/images/GameMenu/)

# Fonts: the names are the game's, the faces DejaVu.
content_font(scenes/fonts/arial_14_crisp DejaVuSans.ttf 14 CRISP)
content_font(scenes/fonts/arial_18 DejaVuSans.ttf 18)
content_font(scenes/fonts/arial_24_bold DejaVuSans-Bold.ttf 24)
content_font(scenes/fonts/arial_18_bold DejaVuSans-Bold.ttf 18)

# Sounds: short cues as WAV, music as Ogg Vorbis.
content_sound(${ART}/sounds/Click.txt sounds/Click.wav)
content_sound(${ART}/sounds/Fanfare.txt sounds/Fanfare.ogg)
content_sound(${ART}/sounds/MenuMusic.txt sounds/MenuMusic.ogg)
# The game's cue sounds (table in docs/Sounds.md): short ones as WAV, music and long ones as Ogg Vorbis.
foreach(sound Hover Missed VolumeBlip WindowOpen Tip Pop Victory Found Sparkle CarAway CarTo
  CarPass Bus Helicopter Hammering Drilling Demolition Scrubbing FactoryFeature AgencyFeature CampaignFeature
  BuildingComplete UpgradeComplete RingAlert TimeUp Letter Delivery Workers Income Sold Bought ForSale Phone
  Broken Dirty CampingAmbient HotelAmbient CafeAmbient MallAmbient ParkAmbient WaterAmbient WindAmbient
  OfficeAmbient FactoryAmbient StationAmbient)
  content_sound(${ART}/sounds/${sound}.txt sounds/${sound}.wav)
endforeach()
foreach(sound TownAmbient ClockTicking Rain ComicsMusic MiniGamesMusic GameMusicSetting1 GameMusicSetting2
  GameMusicSetting3 GameMusicSetting4)
  content_sound(${ART}/sounds/${sound}.txt sounds/${sound}.ogg)
endforeach()

# Level art (SVG written by tools/art/make_level_art.py): buildings, icons, vehicles and clouds in one
# atlas whose frames are named levels/common/..., the ground of each level in its own atlas.
content_atlas(atlases/Buildings ${ART}/atlases/Buildings PREFIX levels/common/)
content_atlas(atlases/Env1 ${ART}/atlases/Level1 PREFIX levels/level1/)
content_atlas(atlases/Env2 ${ART}/atlases/Level2 PREFIX levels/level2/)

# The mini-games (assets-src/minigames/make_art.py): backgrounds as pictures beside each location's scene,
# the objects, money, lots and guide in one atlas per game, named under levels/. Art n belongs to the folder
# at place n of the list (the auction's folder is the name the comic that plays it asks for).
set(minigame_folders minigame1 minigame2 minigame3 minigame_auction)
foreach(n 1 2 3 4)
  math(EXPR index "${n} - 1")
  list(GET minigame_folders ${index} folder)
  content_picture(${ART}/images/backgrounds/Minigame${n}Bg.svg levels/${folder}/Background.png)
  content_picture(${ART}/images/backgrounds/MinigameHud.svg levels/${folder}/Hud.png)
  content_atlas(atlases/Minigame${n} ${ART}/atlases/Minigame${n} PREFIX levels/)
endforeach()
# The grounds of the four districts that levels 3 to 28 are played on (tools/art/district_grounds.py).
content_atlas(atlases/Districts ${ART}/atlases/Districts PREFIX levels/common/Ground/)
