#include "online/updatetask.h"

#include <string_view>

namespace {

std::string trimmedBlanks(std::string_view text)
{
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return std::string(text);
}

} // namespace

UpdateTask makeStartupUpdateTask()
{
    UpdateTask task; // cleared: integers 0, no texts, no routines
    task.flags = 1;
    task.address = std::string();
    task.localFile = std::string();
    task.ftpUser = std::string("anonymous");
    task.ftpPassword = std::string(updatetask::AnonymousPassword);
    task.connections = 1;
    task.speedLimit = 0;
    task.connectTimeout = 20000;
    task.sendTimeout = 20000;
    task.receiveTimeout = 20000;
    task.stopWait = 1000;
    task.receiveBlock = 20480;
    task.sendBlock = 1024;
    task.uploadName = std::string();
    task.ftpTransferType = 1;
    task.binaryExtensions = std::string(updatetask::DefaultBinaryExtensions);
    return task;
}

void applyUpdateValues(UpdateTask &task, const std::string &baseAddress, const std::string &workingDirectory,
                       EventRoutine eventRoutine)
{
    task.address = trimmedBlanks(baseAddress + updatetask::ProgramPath);
    task.flags = updatetask::DownloadFlag;
    task.stopWait = 1000;
    task.connections = 5;
    std::string folder = workingDirectory;
    while (folder.size() > 1 && (folder.back() == '/' || folder.back() == '\\'))
        folder.pop_back();
    // "/" is the separator on every platform Qt and the C library accept.
    if (folder.empty() || (folder.back() != '/' && folder.back() != '\\'))
        folder += '/';
    task.localFile = folder + updatetask::ProgramFileName;
    task.connectTimeout = 5000;
    task.sendTimeout = 5000;
    task.receiveTimeout = 10000;
    task.receiveBlock = 10240;
    task.eventRoutine = std::move(eventRoutine);
}
