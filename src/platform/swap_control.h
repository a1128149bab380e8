#pragma once

namespace reef {

// Asks the driver to make every buffer swap of the current GLX drawable wait for the display's
// next vertical blank (a swap interval of 1), through the first of GLX_EXT_swap_control,
// GLX_MESA_swap_control and GLX_SGI_swap_control the display offers. A 60 Hz screen then shows
// 60 steps a second without tearing, the frame timer's 64 being out of its reach. False when
// there is no current drawable or no such extension; swaps then do not wait, and the frame
// timer alone sets the pace. Needs a current GLX context.
bool WaitForDisplayOnSwap();

}  // namespace reef
