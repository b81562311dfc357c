#pragma once
// Colour index <-> RGB through the host engine, as the layer settings show colours. Without an
// engine the nine standard index colours stand in (others show white).
namespace ckw::settings {

long ColourIndexToRgb(int colourIndex);
int RgbToColourIndex(long rgb);

}  // namespace ckw::settings
