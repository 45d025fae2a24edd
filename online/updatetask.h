#pragma once
// The download-task record handed to the downloader: twenty fields in a fixed order, created with
// start-up values when the program starts and given the update values when the progress window opens.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

struct DownloadEvent;

// A text field holds its own copy of a text (UTF-8) or no text at all; "empty text" and "no text"
// are different values (the proxy and the referer are absent at start, the address is empty).
using TaskText = std::optional<std::string>;
using MessageRoutine = std::function<void(const std::string &message)>;
// Receives the task's events; the reply steers the downloader where an event asks for one.
using EventRoutine = std::function<int(const DownloadEvent &event)>;

struct UpdateTask {
    std::int32_t flags = 0;           // 4096 marks a download; 16 asks event 2 for FTP tasks
    TaskText address;                 // address of the file; its scheme selects the protocol
    TaskText localFile;               // full path of the file to write
    TaskText ftpUser;
    TaskText ftpPassword;
    std::int32_t connections = 0;     // connections fetching segments at once
    std::int32_t speedLimit = 0;      // bytes per second for the whole task, 0 = no bound
    std::int32_t connectTimeout = 0;  // ms
    std::int32_t sendTimeout = 0;     // ms
    std::int32_t receiveTimeout = 0;  // ms
    std::int32_t stopWait = 0;        // ms to wait for connections when stopped
    std::int32_t receiveBlock = 0;    // most bytes per receive (at most 20480)
    std::int32_t sendBlock = 0;       // bytes per send when uploading
    MessageRoutine messageRoutine;
    EventRoutine eventRoutine;
    TaskText uploadName;
    std::int32_t ftpTransferType = 0; // 1 binary, 2 text, 3 binary for the listed extensions
    TaskText binaryExtensions;        // ".exe|.rar|..." used by transfer type 3
    TaskText httpProxy;               // "host" or "host:port" (port 80 when none is given)
    TaskText referer;                 // derived from the address when absent
};

namespace updatetask {

inline constexpr std::int32_t DownloadFlag = 4096;
inline constexpr std::int32_t AskPartialFileFlag = 16;
// The customary anonymous-FTP password: an e-mail-like text of 17 characters.
inline constexpr const char AnonymousPassword[] = "suichuan@loop.net";
static_assert(sizeof(AnonymousPassword) - 1 == 17);
inline constexpr const char DefaultBinaryExtensions[] = ".exe|.rar|.zip|.gif|.jpg|.mp3|.rm";
// Where the new program lives on the update server, below the base address.
inline constexpr const char ProgramPath[] = "/vxmr/燧川脚本编辑器.exe";
inline constexpr const char ProgramFileName[] = "燧川脚本编辑器.exe";

} // namespace updatetask

// The record as the program creates it at start: cleared, then given its start-up values.
UpdateTask makeStartupUpdateTask();

// The values the progress window gives the record before the task is added: the server's program
// address (blanks trimmed), the file in `workingDirectory`, five connections, short time-outs and
// the event routine.
void applyUpdateValues(UpdateTask &task, const std::string &baseAddress, const std::string &workingDirectory,
                       EventRoutine eventRoutine);
