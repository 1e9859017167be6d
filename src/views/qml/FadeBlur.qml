import QtQuick
import Qt5Compat.GraphicalEffects

// The blur of a BlurFade on its way, as its layer's effect. A file of its
// own so the effects module (and the shader compiler it brings, megabytes
// of memory) loads only when a renderer with shaders first blurs.
FastBlur {
    // The layer hands over a texture of the BlurFade.
    readonly property Item faded: source && source.sourceItem ? source.sourceItem : null
    radius: faded ? 10 * faded.amount : 0
}
