// The SDL2 front end.
#include "interactive_window.h"

#include <SDL.h>

#include <cstdlib>
#include <iostream>

#include "devsim/device_controls.h"
#include "devsim/input_mapping.h"

namespace sim {
namespace {

// One frame at about 60 per second.
constexpr uint64_t kFrameMs = 16;

bool DisplayNamed()
{
    const char* x11 = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    return (x11 && *x11) || (wayland && *wayland);
}

MouseButton ButtonOf(uint8_t sdlButton)
{
    switch (sdlButton) {
    case SDL_BUTTON_LEFT: return MouseButton::Left;
    case SDL_BUTTON_RIGHT: return MouseButton::Right;
    default: return MouseButton::Other;
    }
}

class DeviceWindow {
public:
    DeviceWindow(Server& server, int zoom) : server_(server), zoom_(zoom), mapper_(Width(), Height(), zoom) {}
    ~DeviceWindow();
    DeviceWindow(const DeviceWindow&) = delete;
    DeviceWindow& operator=(const DeviceWindow&) = delete;

    bool Open(std::string& reason);
    WindowOutcome Run();

private:
    int Width() const { return server_.GetDevice().Profile().screenWidth; }
    int Height() const { return server_.GetDevice().Profile().screenHeight; }
    bool MakeTexture();
    // False once the window has been closed.
    bool HandleEvents();
    void Carry(const std::optional<DeviceAction>& action);
    void FollowScreen();
    void Present();

    Server& server_;
    int zoom_;
    InputMapper mapper_;
    SDL_Window* window_ = nullptr;
    SDL_Renderer* renderer_ = nullptr;
    SDL_Texture* texture_ = nullptr;
    int textureWidth_ = 0;
    int textureHeight_ = 0;
    std::string title_;
};

DeviceWindow::~DeviceWindow()
{
    if (texture_)
        SDL_DestroyTexture(texture_);
    if (renderer_)
        SDL_DestroyRenderer(renderer_);
    if (window_)
        SDL_DestroyWindow(window_);
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

bool DeviceWindow::Open(std::string& reason)
{
    title_ = WindowTitle(server_.GetDevice().Profile());
    window_ = SDL_CreateWindow(title_.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, Width() * zoom_,
                               Height() * zoom_, 0);
    if (window_)
        renderer_ = SDL_CreateRenderer(window_, -1, 0);
    if (!window_ || !renderer_ || !MakeTexture()) {
        reason = std::string("cannot open the window: ") + SDL_GetError();
        return false;
    }
    return true;
}

bool DeviceWindow::MakeTexture()
{
    if (texture_)
        SDL_DestroyTexture(texture_);
    textureWidth_ = Width();
    textureHeight_ = Height();
    texture_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_BGR24, SDL_TEXTUREACCESS_STREAMING, textureWidth_,
                                 textureHeight_);
    return texture_ != nullptr;
}

WindowOutcome DeviceWindow::Run()
{
    for (;;) {
        server_.RunFor(kFrameMs);
        if (!server_.AnyProcessAlive())
            return WindowOutcome::DeviceOff;
        if (!HandleEvents())
            return WindowOutcome::Closed;
        Carry(mapper_.Tick(SDL_GetTicks64()));
        FollowScreen();
        Present();
    }
}

bool DeviceWindow::HandleEvents()
{
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
        switch (event.type) {
        case SDL_QUIT:
            return false;
        case SDL_MOUSEBUTTONDOWN:
            Carry(mapper_.ButtonDown(ButtonOf(event.button.button), event.button.x, event.button.y, SDL_GetTicks64()));
            break;
        case SDL_MOUSEBUTTONUP:
            Carry(mapper_.ButtonUp(ButtonOf(event.button.button), event.button.x, event.button.y, SDL_GetTicks64()));
            break;
        case SDL_MOUSEMOTION:
            Carry(mapper_.Motion(event.motion.x, event.motion.y));
            break;
        case SDL_KEYDOWN:
        case SDL_KEYUP:
            Carry(mapper_.Key(SDL_GetKeyName(event.key.keysym.sym), event.type == SDL_KEYDOWN, event.key.repeat != 0));
            break;
        default:
            break;
        }
    }
    return true;
}

void DeviceWindow::Carry(const std::optional<DeviceAction>& action)
{
    if (!action)
        return;
    switch (action->kind) {
    case DeviceAction::Kind::Stylus:
        server_.Stylus(action->message, action->point);
        break;
    case DeviceAction::Kind::Key:
        server_.Key(action->virtualKey, action->down);
        break;
    case DeviceAction::Kind::Held:
        std::cerr << "devsim: tap-and-hold at " << action->point.x << "," << action->point.y << "\n";
        break;
    default:
        ApplyControl(server_, action->kind);
        break;
    }
}

// A rotation gives the screen a new form: the window and the texture follow.
void DeviceWindow::FollowScreen()
{
    if (Width() != textureWidth_ || Height() != textureHeight_) {
        SDL_SetWindowSize(window_, Width() * zoom_, Height() * zoom_);
        mapper_.SetScreen(Width(), Height());
        if (!MakeTexture())
            std::cerr << "devsim: cannot make the screen's texture: " << SDL_GetError() << "\n";
    }
    std::string title = WindowTitle(server_.GetDevice().Profile());
    if (title != title_) {
        title_ = title;
        SDL_SetWindowTitle(window_, title_.c_str());
    }
}

void DeviceWindow::Present()
{
    ScreenBuffer* screen = server_.GetDevice().Screen();
    SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
    SDL_RenderClear(renderer_);
    if (screen && texture_ && screen->Width() == textureWidth_ && screen->Height() == textureHeight_) {
        SDL_UpdateTexture(texture_, nullptr, screen->Pixels(), screen->Stride());
        SDL_RenderCopy(renderer_, texture_, nullptr, nullptr);
    }
    SDL_RenderPresent(renderer_);
}

}  // namespace

WindowOutcome RunInteractiveWindow(Server& server, int zoom, std::string& reason)
{
    if (!DisplayNamed()) {
        reason = "no display (neither DISPLAY nor WAYLAND_DISPLAY is set)";
        return WindowOutcome::Unavailable;
    }
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        reason = std::string("no display: ") + SDL_GetError();
        return WindowOutcome::Unavailable;
    }
    const DeviceProfile& profile = server.GetDevice().Profile();
    DeviceWindow window(server, zoom > 0 ? zoom : DefaultZoom(profile.screenWidth, profile.screenHeight));
    if (!window.Open(reason))
        return WindowOutcome::Unavailable;
    std::cout << "devsim: the device is in its window. Mouse and keys:\n" << KeyHelp() << std::flush;
    return window.Run();
}

}  // namespace sim
