// The authoring host's edit-time record, as the host stand-in fills it.
#pragma once

#include "host/host_records.h"

#include <functional>
#include <string>
#include <vector>

namespace hoststandin {

// One call of the numbered request service.
struct HostRequestCall {
    ObjectSettings* settings;
    int number;
    int v1, v2, v3;
};

// One call of the help service (the path as UTF-16 units).
struct HelpCall {
    std::u16string path;
    int reserved1, reserved2;
};

// An edit-time host record whose version service answers `version` (0 = no service at all).
// Owns the record; the services it offers record their calls for tests. The services take no
// record argument, so they serve the most recently constructed EditHost.
//
// Requests: 114 answers whether the application being edited stores wide text (default: yes),
// 115 its code page (default 1252); 1, 4, 18 and any other number are recorded and answer 0.
class EditHost {
  public:
    explicit EditHost(DWORD version = 0x02000000u | 0x0FFu);
    EditHost(const EditHost&) = delete;
    EditHost& operator=(const EditHost&) = delete;
    ~EditHost();

    EditHostRecord* Record() { return &record; }
    void SetVersion(DWORD version); // 0 removes the service
    int VersionCalls() const;

    void SetWideApplication(bool wide) { wideApplication = wide; }
    void SetCodePage(int codePage) { applicationCodePage = codePage; }
    const std::vector<HostRequestCall>& Requests() const { return requests; }
    const std::vector<HelpCall>& HelpCalls() const { return helpCalls; }
    // What the help service does besides recording the call (the host program opens the file).
    void OnHelp(std::function<void(const std::u16string& path)> handler) {
        helpHandler = std::move(handler);
    }
    void ClearCalls();

  private:
    static int WINAPI AnswerRequest(ObjectSettings* settings, int number, int v1, int v2, int v3);
    static int WINAPI AnswerHelp(LPCWSTR path, int reserved1, int reserved2);

    EditHostRecord record;
    bool wideApplication = true;
    int applicationCodePage = 1252;
    std::vector<HostRequestCall> requests;
    std::vector<HelpCall> helpCalls;
    std::function<void(const std::u16string& path)> helpHandler;
};

} // namespace hoststandin
