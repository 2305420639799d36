#include "platform/win32/Win32Toolkit.h"

#include <algorithm>

#include "platform/ui/BadRequests.h"
#include "platform/win32/Win32Controls.h"

namespace zorvanel::win32 {

namespace {

UINT IconStyle(ui::Icon icon) {
  switch (icon) {
    case ui::Icon::Information: return MB_ICONINFORMATION;
    case ui::Icon::Question: return MB_ICONQUESTION;
    case ui::Icon::Exclamation: return MB_ICONEXCLAMATION;
    case ui::Icon::Critical: return MB_ICONERROR;
  }
  return 0;
}

}  // namespace

Win32Toolkit::Win32Toolkit() : gdi_(Gdi::ScreenDpi()) {
  RegisterWindowClasses(&Win32Window::WindowProc);
}

Win32Toolkit::~Win32Toolkit() {
  ended_ = true;
  while (!windows_.empty()) Unload(*windows_.back());
}

// ---------------------------------------------------------------- windows

Win32Window* Win32Toolkit::Load(std::string_view name, HWND owner) {
  if (!factory_) throw std::logic_error("no window factory attached");
  auto window = std::make_unique<Win32Window>(*this, factory_->Layout(name), owner, gdi_);
  if (window->closed()) throw std::runtime_error("cannot create the window " + std::string(name));
  window->SetLogic(factory_->CreateLogic(name));
  windows_.push_back(std::move(window));
  Win32Window* loaded = windows_.back().get();
  loaded->logic().Form_Load();
  return ended_ || loaded->closed() ? nullptr : loaded;
}

void Win32Toolkit::Start(std::string_view name) {
  try {
    if (Win32Window* window = Load(name, nullptr)) window->Show();
  } catch (const std::exception& error) {
    Fail(error);
  }
}

void Win32Toolkit::Run(std::string_view name) {
  Start(name);
  Pump([] { return false; });
}

void Win32Toolkit::DispatchPending() {
  MSG message;
  while (!ended_ && ::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    ::TranslateMessage(&message);
    ::DispatchMessageA(&message);
  }
}

void Win32Toolkit::Pump(const std::function<bool()>& done) {
  MSG message;
  while (!ended_ && !done() && ::GetMessageA(&message, nullptr, 0, 0) > 0) {
    ::TranslateMessage(&message);
    ::DispatchMessageA(&message);
  }
}

// The owner takes no input while the window is shown; the call returns when
// the window is closed.
void Win32Toolkit::ShowModal(std::string_view name, std::string_view owner) {
  Win32Window* ownerWindow = Loaded(owner);
  HWND ownerHandle = ownerWindow ? ownerWindow->hwnd() : nullptr;
  Win32Window* window = Load(name, ownerHandle);
  if (!window) return;
  if (ownerHandle) ::EnableWindow(ownerHandle, FALSE);
  window->Show();
  Pump([window] { return window->closed(); });
}

Win32Window* Win32Toolkit::Loaded(std::string_view name) {
  for (auto& window : windows_) {
    if (window->name() == name) return window.get();
  }
  return nullptr;
}

// A modal window gives its owner back the input before it goes, so that the
// owner, not another program, becomes the active window. The window leaves
// the loaded ones before it is destroyed: destroying it destroys the windows
// it owns, which unload themselves on the way (Destroyed).
void Win32Toolkit::Unload(Win32Window& window) {
  auto it = std::find_if(windows_.begin(), windows_.end(),
                         [&](const auto& loaded) { return loaded.get() == &window; });
  if (it == windows_.end()) return;
  closed_.push_back(std::move(*it));
  windows_.erase(it);
  if (window.owner()) ::EnableWindow(window.owner(), TRUE);
  window.Destroy();
}

void Win32Toolkit::Close(std::string_view name) {
  if (Win32Window* window = Loaded(name)) Unload(*window);
}

// The windows it owns close first, topmost first, each giving its owner back
// the input. The program ends when its last window is closed.
void Win32Toolkit::UserClose(Win32Window& window) {
  CloseWithOwned(window);
  if (windows_.empty()) EndProgram();
}

void Win32Toolkit::CloseWithOwned(Win32Window& window) {
  while (Win32Window* owned = TopOwnedBy(window)) CloseWithOwned(*owned);
  Unload(window);
}

Win32Window* Win32Toolkit::TopOwnedBy(const Win32Window& owner) {
  if (!owner.hwnd()) return nullptr;
  for (auto it = windows_.rbegin(); it != windows_.rend(); ++it) {
    if ((*it)->owner() == owner.hwnd()) return it->get();
  }
  return nullptr;
}

// Windows destroyed the window on the program's behalf (with its owner, or
// at another program's request): it is unloaded as if closed.
void Win32Toolkit::Destroyed(Win32Window& window) {
  Unload(window);
  if (windows_.empty()) EndProgram();
}

std::string Win32Toolkit::Caption(std::string_view name) {
  Win32Window* window = Loaded(name);
  if (!window) ui::ThrowNotLoaded(name);
  char caption[256] = {};
  const int length = ::GetWindowTextA(window->hwnd(), caption, sizeof caption);
  return std::string(caption, static_cast<std::size_t>(std::max(length, 0)));
}

std::uintptr_t Win32Toolkit::NativeHandle(std::string_view name) {
  Win32Window* window = Loaded(name);
  return window ? reinterpret_cast<std::uintptr_t>(window->hwnd()) : 0;
}

// Everything closes at once; no handler runs after this.
void Win32Toolkit::EndProgram() {
  if (ended_) return;
  ended_ = true;
  while (!windows_.empty()) Unload(*windows_.back());
}

std::string Win32Toolkit::ProgramFolder() {
  char path[MAX_PATH] = {};
  const DWORD length = ::GetModuleFileNameA(nullptr, path, sizeof path);
  const std::string file(path, length);
  const auto slash = file.find_last_of("\\/");
  return slash == std::string::npos ? "." : file.substr(0, slash);
}

void Win32Toolkit::SetCurrentDirectory(std::string_view folder) {
  ::SetCurrentDirectoryA(std::string(folder).c_str());
}

// ---------------------------------------------------------------- events

// One event at a time reaches the logic; after the end of the program none.
// A fault in a handler must not unwind through the system's window code.
void Win32Toolkit::Raise(Win32Window& window, const ui::Event& event) {
  if (ended_) return;
  try {
    window.logic().OnEvent(event);
  } catch (const std::exception& error) {
    Fail(error);
  }
}

void Win32Toolkit::Fail(const std::exception& error) {
  ::MessageBoxA(nullptr, error.what(), "Zorvanel", MB_OK | MB_ICONERROR | MB_TASKMODAL);
  EndProgram();
}

// ---------------------------------------------------------------- boxes

// The box is owned by the topmost window, which it disables while it is
// open; timers go on ticking in its message loop.
ui::Answer Win32Toolkit::MessageBox(std::string_view text, ui::Buttons buttons, ui::Icon icon,
                                    std::string_view title) {
  HWND owner = windows_.empty() ? nullptr : windows_.back()->hwnd();
  UINT style = (buttons == ui::Buttons::YesNo ? MB_YESNO : MB_OK) | IconStyle(icon) |
               MB_DEFBUTTON1 | (owner ? MB_APPLMODAL : MB_TASKMODAL);
  const int answer = ::MessageBoxA(owner, std::string(text).c_str(), std::string(title).c_str(),
                                   style);
  if (answer == IDYES) return ui::Answer::Yes;
  if (answer == IDNO) return ui::Answer::No;
  return ui::Answer::OK;
}

}  // namespace zorvanel::win32
