// The module's frame grab on any picture a renderer may hand over: the renderer of a playing
// object's graph returns the input as its current image, and the object grabs it to a BMP file,
// to a PNG file and to the clipboard through its action routines (36, 36, 37), then empties the
// clipboard (38).
#include "harness/fuzz_targets.h"

#include "edit_host.h"
#include "host/lifecycle_exports.h"
#include "host_runtime.h"
#include "image_filters.h"
#include "player/video_player.h"
#include "run_host.h"
#include "runtime/run_object_entry.h"
#include "standin/clipboard_control.h"
#include "standin/clock.h"
#include "standin/faults.h"
#include "standin/kernel_control.h"
#include "support/log_capture.h"
#include "media_writer.h"
#include "support/served_picture.h"

namespace fuzz {
namespace {

enum : int { kGrabToFile = 36, kGrabToClipboard = 37, kResetClipboard = 38 };
const SHORT kNoPicture = 32;
const SHORT kNotAnImage = 64;

long TextParameter(LPCWSTR text) {
    return static_cast<long>(reinterpret_cast<LONG_PTR>(text));
}

class Grab : public Harness {
  public:
    Grab() {
        StartFreshModuleLog();
        standin::UseManualClock(0);
        Initialize(editHost.Record(), 1);
        GetRunObjectInfos(editHost.Record(), &infos);
        host.reset(new hoststandin::RunHost(640, 480));
        hoststandin::InstallHostRuntime();
        application.imageFilterManager = &hoststandin::StandardImageFilters();
        host->Header()->application = &application;
        CreateDirectoryW(L"C:\\grabs", nullptr);
        media::AviClip clip;
        clip.width = 32;
        clip.height = 24;
        clip.frames = 2;
        media::WriteAvi("C:\\clips\\grab.avi", clip);
        // Without "Log Mode": the log's file stays untouched, as in a released game.
        ObjectSettings settings = hoststandin::MakeSettings(L"C:\\clips\\grab.avi", 32, 24, 0);
        object = host->NewObject();
        CreateRunObject(object.get(), &settings, nullptr);
        Expect(object->player && object->player->pBV, "the grab's object plays a video");
        globalBlocks = standin::LiveGlobalBlocks();
    }
    ~Grab() override {
        DestroyRunObject(object.get(), 0);
        host.reset();
        Free(editHost.Record());
        EndModuleLog();
        standin::ResetPlatform();
    }

    void Run(const uint8_t* data, size_t size) override {
        ServedPicture served(object->player, data, size);
        for (LPCWSTR file : {L"C:\\grabs\\grab.bmp", L"C:\\grabs\\grab.png"})
            ExpectCode(size, Act(kGrabToFile, TextParameter(file)), "file grab");
        ExpectCode(size, Act(kGrabToClipboard, 0), "clipboard grab");
        Expect(!standin::ClipboardOpen(), "the clipboard grab closes the clipboard");
        Act(kResetClipboard, 0);
        Expect(standin::LiveGlobalBlocks() == globalBlocks, "a grab leaves no global memory");
    }

  private:
    SHORT Act(int code, long parameter) {
        object->lastError = 0;
        infos.actions[code](object.get(), parameter, 0);
        return object->lastError;
    }

    // No picture at all gives 32; any other picture is saved or refused with 64 (or, for a
    // depth the host has no surface for, left silently).
    static void ExpectCode(size_t size, SHORT code, const std::string& grab) {
        if (size == 0)
            Expect(code == kNoPicture, grab + " of an empty picture reports 32");
        else
            Expect(code == 0 || code == kNotAnImage, grab + " reports 0 or 64");
    }

    hoststandin::EditHost editHost;
    RunObjectInfos infos = {};
    std::unique_ptr<hoststandin::RunHost> host;
    HostApplication application = {};
    std::unique_ptr<RunObject> object;
    int globalBlocks = 0;
};

} // namespace

std::unique_ptr<Harness> MakeGrabHarness() {
    return std::unique_ptr<Harness>(new Grab);
}

} // namespace fuzz
