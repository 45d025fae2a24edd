#pragma once
// The version checks: at start-up against CURRENT_VERSION into the main window's 标签4, and in the
// online update window against UPDATE_WINDOW_VERSION into its 标签1.

#include "online/servertext.h"

#include <functional>

class QLabel;

// What the checks need from the rest of the program.
struct VersionCheckHooks {
    std::function<void()> openProgressWindow; // "马上更新" in the update prompt (modal, returns when closed)
    std::function<void()> endProgram;         // destroys the main window and ends the program
};

enum class CheckOutcome {
    Continue,    // the caller goes on (main window: the notice ticker, then the welcome message)
    ProgramEnds, // endProgram has been called: the caller must return at once
};

// Start-up check with a version text already fetched (see fetchStartupTexts), or fetching it itself.
// A failed fetch is no new version: no question is asked and 标签4 is left empty.
CheckOutcome runStartupVersionCheck(QLabel *label4, const ServerText &version, const VersionCheckHooks &hooks);
CheckOutcome runStartupVersionCheck(QLabel *label4, const VersionCheckHooks &hooks);

// The online update window's check; `label1` is that window's 标签1. A failed fetch is reported to
// the user and shown in the label; no question is asked.
CheckOutcome runOnlineVersionCheck(QLabel *label1, const ServerText &version, const VersionCheckHooks &hooks);

// The texts of the checks.
inline const QString kNewVersionQuestion = QStringLiteral("发现最新版本 是否下载？");
inline const QString kOpenSiteQuestion = QStringLiteral("是否打开官网？");
inline const QString kOpenSiteTitle = QStringLiteral("您放弃了自动下载");
inline const QString kNotLatestWarning = QStringLiteral("当前不为最新版本 可能会导致非法！");
inline const QString kLatestVersionCaption = QStringLiteral("当前为最新版本");
inline const QString kCheckFailedCaption = QStringLiteral("检查失败");
