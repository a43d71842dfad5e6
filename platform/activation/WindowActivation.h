#pragma once

#include <string>

class QWidget;

namespace ardenvo {

// A second start of a program hands over to the copy already running, which then brings its
// window forward. On Wayland a window may take the focus only with an activation token (the
// xdg-activation protocol), and the desktop gives that token to the start the user asked for, in
// XDG_ACTIVATION_TOKEN: so the second start leaves its token in the runtime directory for the
// running copy, which shows its window with it.
namespace WindowActivation {

// At most this many bytes of a token are kept; tokens are short.
constexpr std::size_t kMaxTokenBytes = 1024;

// The token the desktop gave this start; empty when there is none. It stays in the environment,
// where Qt takes it for the first window this start shows.
std::string launchToken();

// Second start: leaves `token` for the running copy that listens under `name`. False when the
// runtime directory is unusable; an empty token leaves nothing (and any left before goes).
bool handOver(const std::string& name, const std::string& token);
// Running copy: the token left under `name`, removed once read; empty when none.
std::string takeHandedOver(const std::string& name);

// True when the program runs on Wayland and its compositor offers xdg-activation.
bool compositorOffersActivation();

// Shows the window (restored when minimised), raises it and gives it the focus: on Wayland with
// the token where the compositor offers xdg-activation (without either it can only be shown and
// raised), elsewhere as the window manager allows.
void bringForward(QWidget& window, const std::string& token);

} // namespace WindowActivation
} // namespace ardenvo
