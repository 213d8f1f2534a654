#pragma once

#include "runtime/controls.h"
#include "runtime/drawing_surface.h"
#include "runtime/event_pump.h"
#include "runtime/message_box.h"

#include <array>
#include <functional>

namespace kurvix {

// What the plot command sees of the window, by the controls' names.
struct Controls {
    DrawingSurface& Picture1;
    TextBox& Combo1;
    std::array<std::reference_wrapper<TextBox>, 10> fields; // Text1 .. Text10
    Label& lblinfo;
    MessageBox& messages;
    EventPump& events;

    [[nodiscard]] TextBox& Text(int number) const { return fields.at(static_cast<std::size_t>(number - 1)); }
};

} // namespace kurvix
