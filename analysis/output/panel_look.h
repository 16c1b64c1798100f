// The look shared by the build and signal plots: one framed panel on a
// 900 x 480 page, with the title and subtitle styles of the Bode plot.
#pragma once

namespace velmora::panel {

inline constexpr double kWidth = 900, kHeight = 480, kLeft = 84, kRight = 28, kTop = 76,
                        kBottom = 60;
inline constexpr const char* kTitleStyle = R"(font-size="17" font-weight="bold" fill="#111111")";
inline constexpr const char* kSubtitleStyle = R"(font-size="13" fill="#444444")";

}  // namespace velmora::panel
