// A frame with one object playing a generated clip through the module's entry points, as the
// host runs it: file logging off as in a released game, the host's event signal replaced by a
// routine that does nothing, and the host's image services and filter manager in place.
#pragma once

#include <windows.h>

#include "edit_host.h"
#include "host/hostrt.h"
#include "host/lifecycle_exports.h"
#include "host_runtime.h"
#include "image_filters.h"
#include "player/video_player.h"
#include "run_host.h"
#include "runtime/run_object_entry.h"
#include "standin/clock.h"
#include "support/log_capture.h"
#include "media_writer.h"

#include <memory>

namespace bench {

class PlayingFrame {
  public:
    PlayingFrame(int width = 32, int height = 24, int frames = 25) {
        StartFreshModuleLog();
        standin::UseManualClock(0); // the clip never reaches its end
        Initialize(editHost.Record(), 1);
        GetRunObjectInfos(editHost.Record(), &infos);
        host.reset(new hoststandin::RunHost()); // after the platform reset, which ends windows
        hoststandin::InstallHostRuntime();
        application.imageFilterManager = &hoststandin::StandardImageFilters();
        host->Header()->application = &application;
        media::AviClip clip;
        clip.width = width;
        clip.height = height;
        clip.frames = frames;
        media::WriteAvi("C:\\clips\\bench.avi", clip);
        ObjectSettings settings = hoststandin::MakeSettings(L"C:\\clips\\bench.avi", SHORT(width),
                                                            SHORT(height), PlayAtStart);
        object = host->NewObject();
        CreateRunObject(object.get(), &settings, nullptr);
        host->Header()->signal = IgnoreSignal;
    }
    ~PlayingFrame() {
        DestroyRunObject(object.get(), 0);
        host.reset();
        Free(editHost.Record());
        EndModuleLog();
    }
    PlayingFrame(const PlayingFrame&) = delete;
    PlayingFrame& operator=(const PlayingFrame&) = delete;

    RunObject* Object() { return object.get(); }
    bool Playing() const { return object->player && object->player->PlayState == PlayRunning; }
    // An action routine from the list the host received.
    short Action(int code, long parameter) {
        return infos.actions[code](object.get(), parameter, 0);
    }

  private:
    static int WINAPI IgnoreSignal(RunObject*, int, int) { return 0; }

    hoststandin::EditHost editHost;
    RunObjectInfos infos = {};
    std::unique_ptr<hoststandin::RunHost> host;
    HostApplication application = {};
    std::unique_ptr<RunObject> object;
};

} // namespace bench
