// End to end, files and objects: a new file through action 6 (a WAV, a missing file, an empty
// name), two objects in one frame, an object destroyed while another plays on, and the event
// log the module writes in Log Mode, through the real DLL under Wine.
#include "wine/e2e_support.h"

#include <cstring>

namespace {

using namespace e2e;

const WCHAR kLogPath[] = L"C:\\Cinevane\\EventLog.txt";

void OpensNewFilesThroughTheAction() {
    Host host;
    if (!host)
        return;
    const int clip = host.Create(DefaultClip());
    RunObject* run = host->Object(clip);
    host->RunFor(300);
    host->ActionWithText(clip, 6, ToneWav());
    CHECK_EQ(run->lastError, 0);
    CHECK_EQ(run->geometryChanged, 1);
    CHECK_EQ(run->redrawRequest, 1L);
    CHECK_EQ(host->Expression(clip, 18).text, ToneWav());
    CHECK_EQ(run->cachedTotalMilliseconds, 3000L);
    CHECK_EQ(host->Expression(clip, 22).integer, 0L); // a sound has no picture
    host->RunFor(300);
    const long playing = Milli(host->Expression(clip, 2).real);
    CHECK(playing > 0);

    // A file that does not exist: error 1, the sound already open goes on.
    host->ActionWithText(clip, 6, "e2e_media\\missing.avi");
    CHECK_EQ(run->lastError, 1);
    CHECK_EQ(host->Expression(clip, 18).text, ToneWav());
    CHECK_EQ(host->Condition(clip, 2), 0L);
    host->RunFor(300);
    CHECK(Milli(host->Expression(clip, 2).real) > playing);

    host->ActionWithText(clip, 6, ""); // no name: error 8
    CHECK_EQ(run->lastError, 8);
    CHECK_EQ(host->Expression(clip, 18).text, ToneWav());

    host->ActionWithText(clip, 6, DefaultClip()); // and back to the video
    CHECK_EQ(run->lastError, 0);
    CHECK_EQ(host->Expression(clip, 22).integer, 320L);
    CHECK(host.WaitForSignal(clip, 1, 8000));
}

void PlaysTwoObjectsInOneFrame() {
    Host host;
    if (!host)
        return;
    const int left = host.Create(DefaultClip(), PlayAtStart, 0, 0);
    const int right = host.Create(ToneWav(), PlayAtStart, 400, 300);
    RunObject* first = host->Object(left);
    RunObject* second = host->Object(right);
    CHECK(first->hostWindow != second->hostWindow);
    CHECK_EQ(GetParent(first->hostWindow), host->Host().FrameWindow());
    CHECK_EQ(GetParent(second->hostWindow), host->Host().FrameWindow());
    host->Action(left, 2); // pausing one leaves the other playing
    host->RunFor(300);
    CHECK(host->SignalCount(left, 2) > 0);
    CHECK_EQ(host->SignalCount(right, 2), 0);
    host->Action(left, 0);
    CHECK(host->RunUntil(
        [&] { return host->SignalCount(left, 1) > 0 && host->SignalCount(right, 1) > 0; }, 9000));

    // One object destroyed: its window's quit request does not end the frame, the other
    // object is still handled every frame.
    HWND leftWindow = first->hostWindow;
    host->DestroyObject(left);
    CHECK(!IsWindow(leftWindow));
    const int endSignals = host->SignalCount(right, 1);
    host->RunFor(300);
    CHECK(host->SignalCount(right, 1) > endSignals + 10);
    CHECK(IsWindow(second->hostWindow) != FALSE);
}

std::string ReadLogSince(size_t from) {
    std::string bytes;
    HANDLE file = CreateFileW(kLogPath, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return bytes;
    char buffer[65536];
    DWORD got = 0;
    while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0)
        bytes.append(buffer, got);
    CloseHandle(file);
    std::u16string text;
    for (size_t i = from; i + 1 < bytes.size(); i += 2)
        text += static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                      static_cast<unsigned char>(bytes[i + 1]) << 8);
    return Utf8FromWide(AsWide(text), text.size());
}

size_t LogSize() {
    WIN32_FILE_ATTRIBUTE_DATA data;
    return GetFileAttributesExW(kLogPath, GetFileExInfoStandard, &data) ? data.nFileSizeLow : 0;
}

bool HasLine(const std::string& log, const std::string& text) {
    return log.find("): " + text + "\r\n") != std::string::npos ||
           log.find("): " + text + "\n") != std::string::npos;
}

std::string Hex(const void* handle) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%lx",
                  static_cast<unsigned long>(reinterpret_cast<ULONG_PTR>(handle)));
    return text;
}

void WritesTheEventLogInLogMode() {
    const size_t before = LogSize();
    HWND frame = nullptr, window = nullptr;
    {
        Host host;
        if (!host)
            return;
        const int clip = host.Create(DefaultClip(), PlayAtStart | LogMode);
        frame = host->Host().FrameWindow();
        window = host->Object(clip)->hostWindow;
        host->RunFor(200);
        host->Action(clip, 2);
        host->Finish();
    }
    const std::string log = ReadLogSince(before);
    CHECK(HasLine(log, "====================== SESSION START ========================"));
    CHECK(HasLine(log, "Parent window " + Hex(frame)));
    CHECK(HasLine(log, "Window Created! hWnd = " + Hex(window)));
    CHECK(HasLine(log, "New Video Object no problem!"));
    CHECK(HasLine(log, "Going to continue!"));
    CHECK(HasLine(log, "There is a video window, is about to be destroyed!"));
    // Every line carries its time stamp: "(mm/dd/yyyy hh:mm:ss): text".
    const size_t at = log.find("SESSION START");
    const size_t lineStart = at == std::string::npos ? 0 : log.rfind('\n', at) + 1;
    const std::string stamp = log.substr(lineStart, 23);
    CHECK(stamp.size() == 23 && stamp[0] == '(' && stamp[3] == '/' && stamp[6] == '/' &&
          stamp[11] == ' ' && stamp[14] == ':' && stamp[17] == ':' &&
          stamp.compare(20, 3, "): ") == 0);

    // Log Mode off: the next session's object writes nothing after its switches are set.
    const size_t quiet = LogSize();
    {
        Host host;
        if (!host)
            return;
        const int clip = host.Create(DefaultClip(), PlayAtStart);
        host->RunFor(200);
        host->DestroyObject(clip);
    }
    const std::string after = ReadLogSince(quiet);
    CHECK(!HasLine(after, "Going to continue!"));
}

} // namespace

int main() {
    OpensNewFilesThroughTheAction();
    PlaysTwoObjectsInOneFrame();
    WritesTheEventLogInLogMode();
    return WineCheckSummary();
}
