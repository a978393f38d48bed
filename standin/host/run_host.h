// The authoring host's run-time side as the run-time object sees it: a run header with its
// frame window, display origin, click-block word, loop counter and window-property key, the
// services the object calls (event signal, suspend, resume, window-routine registration,
// parameter, temporary text), each recording its calls, and RunObject/ObjectSettings records.
#pragma once

#include "host/object_settings.h"
#include "host/run_object.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace hoststandin {

struct SignalRecord {
    RunObject* object;
    int code;
    int parameter;
};

class RunHost {
  public:
    // A frame window with a client area of the given size, at display origin (0, 0).
    explicit RunHost(int frameWidth = 640, int frameHeight = 480);
    RunHost(const RunHost&) = delete;
    RunHost& operator=(const RunHost&) = delete;
    ~RunHost();

    RunHeader* Header() { return &header; }
    HWND FrameWindow() const { return header.frameWindow; }
    // Gives the frame window a new client size (the host's window resized by the user).
    void ResizeFrame(int clientWidth, int clientHeight);
    void SetDisplayOrigin(LONG x, LONG y);
    void SetClickBlock(DWORD value) { header.clickBlock = value; }
    // The host's loop moves on: the loop counter changes.
    void NextLoop() { ++header.loopCounter; }
    HWND ApplicationMainWindow() const { return header.applicationMainWindow; }

    // A RunObject of 1288 zeroed bytes with the host's header filled: run header, position and
    // size in frame coordinates.
    std::unique_ptr<RunObject> NewObject(LONG x = 0, LONG y = 0);

    // Everything the object asked of the host, in call order: "suspend", "resume",
    // "signal <code>", "register", "parameter <kind>", "text <bytes>".
    const std::vector<std::string>& Journal() const { return journal; }
    const std::vector<SignalRecord>& Signals() const { return signals; }
    int SignalCount(int code) const;
    int CallCount(const std::string& entry) const;
    void ClearRecords();

    // Runs inside the event-signal service, as the host evaluates a condition's events at once.
    void OnSignal(std::function<void(RunObject* object, int code)> handler) {
        signalHandler = std::move(handler);
    }

    // The value the parameter service answers (as single-precision bits) from now on.
    void SetParameter(float value) { parameterValue = value; }

    // Removes one service from the run header (a host that does not offer it).
    enum Service { Signal, Suspend, Resume, Registration, Parameter, TemporaryText };
    void RemoveService(Service service);

    // The routine registered for `window`, or null.
    RunObjectWindowRoutine RoutineFor(HWND window) const;

    // Dispatches every message queued for this thread (the host's message loop, one turn).
    static void PumpMessages();

    // Host-side services (public so the services' trampolines reach them).
    int OnSignalService(RunObject* object, int code, int parameter);
    void OnSuspendService(bool suspend);
    void OnRegistration(RunObject* object, RunObjectWindowRoutine routine);
    DWORD OnParameterService(int kind);
    LPVOID OnTemporaryText(int bytes);

  private:
    RunHeader header;
    HWND applicationWindow = nullptr;
    std::vector<std::string> journal;
    std::vector<SignalRecord> signals;
    std::function<void(RunObject*, int)> signalHandler;
    float parameterValue = 0.0f;
    std::vector<std::unique_ptr<BYTE[]>> temporaryTexts;
};

// The window-property key under which the host stores each object on its window.
extern const WCHAR kRunObjectPropertyKey[];

// A settings record as the editor stores it (size 576, version 2).
ObjectSettings MakeSettings(LPCWSTR fileName, SHORT width, SHORT height, WORD flags,
                            double aspectRatio = 0.0);

} // namespace hoststandin
