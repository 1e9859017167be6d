import QtQuick
import Qt5Compat.GraphicalEffects

// The notch's contents held to its outline while it moves, as the content
// layer's effect. The layer puts this beside the contents; their common
// parent names the mask. A file of its own so the effects module loads only
// when a renderer with shaders first masks.
OpacityMask {
    maskSource: parent ? parent.outlineMaskTexture : null
}
