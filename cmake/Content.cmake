# Build-time content: art rasterised from SVG, atlases, baked fonts, synthesised sounds, the hand-authored
# assets and the enciphered archive, all under ${CONTENT_OUTPUT_DIR} (bin/assets beside the game).
# The content set itself is declared in assets-src/Content.cmake with the functions below.

find_program(RSVG_CONVERT rsvg-convert REQUIRED)

set(CONTENT_OUTPUT_DIR ${CMAKE_BINARY_DIR}/bin/assets)
set(CONTENT_ARCHIVE ${CMAKE_BINARY_DIR}/bin/assets.qca)
set(CONTENT_WORK_DIR ${CMAKE_BINARY_DIR}/content-work)
set(CONTENT_ART_DIR ${CMAKE_SOURCE_DIR}/assets-src/art)
set(CONTENT_FONT_DIR /usr/share/fonts/truetype/dejavu)
# The game's "AssetsCryptKey" setting: the archive is made and read with it.
set(CONTENT_ARCHIVE_KEY "qwhtrz7e2k5518301)#~#4412pm93vnexlkcuehtkrgbnr8pm3p5x7klqaf")
set_property(GLOBAL PROPERTY CONTENT_FILES "")

function(content_add_output file)
  set_property(GLOBAL APPEND PROPERTY CONTENT_FILES ${file})
endfunction()

# The shared gradients sit beside every staged SVG, since librsvg only follows references to files beside
# (or below) the picture it draws; Palette.css is applied to every picture.
set(CONTENT_SVG_STAGE ${CONTENT_WORK_DIR}/svg)
add_custom_command(OUTPUT ${CONTENT_SVG_STAGE}/Gradients.svg
  COMMAND ${CMAKE_COMMAND} -E copy ${CONTENT_ART_DIR}/Gradients.svg ${CONTENT_SVG_STAGE}/Gradients.svg
  DEPENDS ${CONTENT_ART_DIR}/Gradients.svg
  VERBATIM)

# content_svg_to_png(<svg> <png> [WIDTH w] [HEIGHT h]): rasterises one picture (absolute paths).
function(content_svg_to_png svg png)
  cmake_parse_arguments(ARG "" "WIDTH;HEIGHT" "" ${ARGN})
  file(RELATIVE_PATH png_relative ${CMAKE_BINARY_DIR} ${png})
  string(REPLACE "/" "_" staged_name "${png_relative}")
  set(staged ${CONTENT_SVG_STAGE}/${staged_name}.svg)
  set(size_options)
  if(ARG_WIDTH)
    list(APPEND size_options --width ${ARG_WIDTH})
  endif()
  if(ARG_HEIGHT)
    list(APPEND size_options --height ${ARG_HEIGHT})
  endif()
  get_filename_component(png_dir ${png} DIRECTORY)
  add_custom_command(OUTPUT ${png}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${png_dir}
    COMMAND ${CMAKE_COMMAND} -E copy ${svg} ${staged}
    COMMAND ${RSVG_CONVERT} --stylesheet ${CONTENT_ART_DIR}/Palette.css ${size_options} --output ${png} ${staged}
    DEPENDS ${svg} ${CONTENT_ART_DIR}/Palette.css ${CONTENT_SVG_STAGE}/Gradients.svg
    COMMENT "Drawing ${png_relative}"
    VERBATIM)
endfunction()

# content_picture(<svg> <name in assets> [WIDTH w] [HEIGHT h]): a picture the game opens as a file.
function(content_picture svg name)
  set(png ${CONTENT_OUTPUT_DIR}/${name})
  content_svg_to_png(${svg} ${png} ${ARGN})
  content_add_output(${png})
endfunction()

# content_atlas(<list name> <source folder> [PREFIX p] [NO_TRIM] [SIZE n]): every SVG (and PNG) under the folder
# becomes a frame named <prefix><path in the folder, .png>; writes <list name>.xml and its pages. With SIZE, every
# SVG is drawn n pixels square instead of at its own size.
function(content_atlas name source_dir)
  cmake_parse_arguments(ARG "NO_TRIM" "PREFIX;SIZE" "" ${ARGN})
  set(pictures_dir ${CONTENT_WORK_DIR}/${name})
  file(GLOB_RECURSE svgs CONFIGURE_DEPENDS RELATIVE ${source_dir} ${source_dir}/*.svg)
  file(GLOB_RECURSE pngs CONFIGURE_DEPENDS RELATIVE ${source_dir} ${source_dir}/*.png)
  set(size_options)
  if(ARG_SIZE)
    set(size_options WIDTH ${ARG_SIZE} HEIGHT ${ARG_SIZE})
  endif()
  set(pictures)
  foreach(svg ${svgs})
    string(REGEX REPLACE "\\.svg$" ".png" png ${svg})
    content_svg_to_png(${source_dir}/${svg} ${pictures_dir}/${png} ${size_options})
    list(APPEND pictures ${pictures_dir}/${png})
  endforeach()
  foreach(png ${pngs})
    add_custom_command(OUTPUT ${pictures_dir}/${png}
      COMMAND ${CMAKE_COMMAND} -E copy ${source_dir}/${png} ${pictures_dir}/${png}
      DEPENDS ${source_dir}/${png}
      VERBATIM)
    list(APPEND pictures ${pictures_dir}/${png})
  endforeach()
  set(list_file ${CONTENT_OUTPUT_DIR}/${name}.xml)
  set(options)
  if(ARG_PREFIX)
    list(APPEND options --prefix ${ARG_PREFIX})
  endif()
  if(ARG_NO_TRIM)
    list(APPEND options --no-trim)
  endif()
  get_filename_component(list_dir ${list_file} DIRECTORY)
  add_custom_command(OUTPUT ${list_file}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${list_dir}
    COMMAND $<TARGET_FILE:atlas_packer> ${pictures_dir} ${list_file} ${options}
    DEPENDS atlas_packer ${pictures}
    COMMENT "Packing atlas ${name}"
    VERBATIM)
  content_add_output(${list_file})
endfunction()

# content_font(<name> <font file in the DejaVu folder> <pixel size> [CRISP] [CHARS ranges]):
# writes <name>.qfnt and its page <name>_0.png.
function(content_font name font size)
  cmake_parse_arguments(ARG "CRISP" "CHARS" "" ${ARGN})
  set(options)
  if(ARG_CRISP)
    list(APPEND options --crisp)
  endif()
  if(ARG_CHARS)
    list(APPEND options --chars ${ARG_CHARS})
  endif()
  set(output ${CONTENT_OUTPUT_DIR}/${name}.qfnt)
  get_filename_component(output_dir ${output} DIRECTORY)
  add_custom_command(OUTPUT ${output}
    BYPRODUCTS ${CONTENT_OUTPUT_DIR}/${name}_0.png
    COMMAND ${CMAKE_COMMAND} -E make_directory ${output_dir}
    COMMAND $<TARGET_FILE:font_baker> ${CONTENT_FONT_DIR}/${font} ${size} ${output} ${options}
    DEPENDS font_baker ${CONTENT_FONT_DIR}/${font}
    COMMENT "Baking font ${name}"
    VERBATIM)
  content_add_output(${output})
endfunction()

# content_sound(<recipe> <name in assets>...): one recipe, written as each named file (.wav or .ogg).
function(content_sound recipe)
  set(outputs)
  foreach(name ${ARGN})
    list(APPEND outputs ${CONTENT_OUTPUT_DIR}/${name})
  endforeach()
  list(GET outputs 0 first)
  get_filename_component(output_dir ${first} DIRECTORY)
  add_custom_command(OUTPUT ${outputs}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${output_dir}
    COMMAND $<TARGET_FILE:sound_maker> ${recipe} ${outputs}
    DEPENDS sound_maker ${recipe}
    COMMENT "Making sound ${ARGN}"
    VERBATIM)
  foreach(output ${outputs})
    content_add_output(${output})
  endforeach()
endfunction()

# Copies the hand-authored assets/ tree file by file, so an edit copies just that file.
function(content_copy_assets source_dir)
  file(GLOB_RECURSE files CONFIGURE_DEPENDS RELATIVE ${source_dir} ${source_dir}/*)
  foreach(file ${files})
    add_custom_command(OUTPUT ${CONTENT_OUTPUT_DIR}/${file}
      COMMAND ${CMAKE_COMMAND} -E copy ${source_dir}/${file} ${CONTENT_OUTPUT_DIR}/${file}
      DEPENDS ${source_dir}/${file}
      VERBATIM)
    content_add_output(${CONTENT_OUTPUT_DIR}/${file})
  endforeach()
endfunction()

include(${CMAKE_SOURCE_DIR}/assets-src/Content.cmake)
content_copy_assets(${CMAKE_SOURCE_DIR}/assets)

# The archive holds everything above; the game mounts the folder first, so loose files still win.
get_property(content_files GLOBAL PROPERTY CONTENT_FILES)
add_custom_command(OUTPUT ${CONTENT_ARCHIVE}
  COMMAND $<TARGET_FILE:archive_packer> ${CONTENT_OUTPUT_DIR} ${CONTENT_ARCHIVE} ${CONTENT_ARCHIVE_KEY}
  DEPENDS archive_packer ${content_files}
  COMMENT "Packing assets.qca"
  VERBATIM)
add_custom_target(content ALL DEPENDS ${content_files} ${CONTENT_ARCHIVE})
add_dependencies(game content)
if(TARGET test_tools)
  add_dependencies(test_tools content sound_maker atlas_packer font_baker)
endif()
