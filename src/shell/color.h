// Colours of controls and drawings: an RGB value or one of the system colours.
#pragma once

#include <cstdint>
#include <string>

namespace quillon {

struct Color {
    enum class System : std::uint8_t {
        None,
        ButtonShadow,
        GrayText,
        ButtonFace,
        Window,
        WindowText
    };

    System system = System::None;
    std::uint8_t r = 0, g = 0, b = 0;

    static constexpr Color Rgb(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
        return Color{System::None, r, g, b};
    }
    static constexpr Color Sys(System s) { return Color{s, 0, 0, 0}; }

    bool operator==(const Color&) const = default;

    // "#RRGGBB", or the system colour's name ("buttonShadow", "grayText", "buttonFace", ...).
    std::string Name() const;
};

namespace colors {
inline constexpr Color White = Color::Rgb(255, 255, 255);
inline constexpr Color Black = Color::Rgb(0, 0, 0);
inline constexpr Color Given = Color::Rgb(255, 255, 15);   // given lines and circles
inline constexpr Color Result = Color::Rgb(255, 0, 0);     // result marks, no-solution text
inline constexpr Color Label = Color::Rgb(0, 255, 0);      // point labels
inline constexpr Color Magenta = Color::Rgb(255, 0, 255);  // nose-radius circles
inline constexpr Color Blue = Color::Rgb(0, 0, 255);
inline constexpr Color ButtonShadow = Color::Sys(Color::System::ButtonShadow);
inline constexpr Color ButtonFace = Color::Sys(Color::System::ButtonFace);
inline constexpr Color GrayText = Color::Sys(Color::System::GrayText);
}  // namespace colors

}  // namespace quillon
