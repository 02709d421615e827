"""The text of a level's Level.qscn, shared by the tools that write levels (make_levels.py, make_campaign.py).

A level scene is its ground picture in two halves, the building places under "Buildings" (their TemplateName
is the record they start with), and the empty "CargosNode" and "Pedestrians" layers the game fills.
"""


def level_scene(comment, ground, places):
    """comment: the two lines of the file's comment; ground: the atlas path of the ground's halves with a %s for
    'Left' and 'Right'; places: (name, x, y, template, owned) in drawing order."""
    lines = ['<?xml version="1.0" encoding="utf-8"?>',
             '<!-- %s' % comment[0],
             '     %s -->' % comment[1],
             '<SceneNode Type="SceneNode" ClassOverride="GGameLevelScene">',
             '\t<Properties>',
             '\t\t<string Name="Name" Value="Level"/>',
             '\t\t<vector3d Name="Bounds" Value="1024;768;0"/>',
             '\t</Properties>',
             '\t<SceneNode Type="BaseNode">',
             '\t\t<Properties>',
             '\t\t\t<string Name="Name" Value="Ground"/>',
             # Below the lots and buildings: at the same depth the draw order of a tie is not defined.
             '\t\t\t<vector3d Name="Position" Value="0;0;-100"/>',
             '\t\t\t<vector3d Name="Bounds" Value="1024;768;0"/>',
             '\t\t\t<bool Name="CanBeHit" Value="false"/>',
             '\t\t</Properties>']
    for half, x in (('Left', 0), ('Right', 512)):
        lines += ['\t\t<SceneNode Type="SpriteNode">',
                  '\t\t\t<Properties>',
                  '\t\t\t\t<string Name="Name" Value="Ground%s"/>' % half,
                  '\t\t\t\t<vector3d Name="Position" Value="%d;0;0"/>' % x,
                  '\t\t\t\t<vector3d Name="Bounds" Value="512;768;0"/>',
                  '\t\t\t\t<bool Name="CanBeHit" Value="false"/>',
                  '\t\t\t\t<atlasTexture Name="AtlasTexture" Value="%s"/>' % (ground % half),
                  '\t\t\t</Properties>',
                  '\t\t</SceneNode>']
    lines += ['\t</SceneNode>',
              '\t<SceneNode Type="ControlNode">',
              '\t\t<Properties>',
              '\t\t\t<string Name="Name" Value="Buildings"/>',
              '\t\t\t<vector3d Name="Bounds" Value="1024;768;0"/>',
              '\t\t</Properties>']
    for name, x, y, template, owned in places:
        lines += ['\t\t<SceneNode Type="GBuildingNode">',
                  '\t\t\t<Properties>',
                  '\t\t\t\t<string Name="Name" Value="%s"/>' % name,
                  '\t\t\t\t<vector3d Name="Position" Value="%d;%d;0"/>' % (x, y),
                  '\t\t\t\t<vector3d Name="Bounds" Value="144;72;0"/>',
                  '\t\t\t\t<string Name="TemplateName" Value="%s"/>' % template]
        if owned:
            lines.append('\t\t\t\t<bool Name="IsOwnedByThePlayer" Value="true"/>')
        lines += ['\t\t\t</Properties>', '\t\t</SceneNode>']
    lines += ['\t</SceneNode>']
    for name in ('CargosNode', 'Pedestrians'):
        lines += ['\t<SceneNode Type="BaseNode">',
                  '\t\t<Properties>',
                  '\t\t\t<string Name="Name" Value="%s"/>' % name,
                  '\t\t\t<vector3d Name="Bounds" Value="1024;768;0"/>',
                  '\t\t\t<bool Name="CanBeHit" Value="false"/>',
                  '\t\t</Properties>',
                  '\t</SceneNode>']
    lines.append('</SceneNode>')
    return '\n'.join(lines) + '\n'
