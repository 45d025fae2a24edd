#include "online/versioncheck.h"

#include "app/site.h"
#include "editor/messagebox.h"
#include "online/updateprompt.h"
#include "online/version.h"
#include "platform/shell.h"

#include <QLabel>
#include <QUrl>

namespace {

// How the two checks differ.
struct CheckKind {
    const char *reference;
    bool homePageWithSlash;
    bool reportFailure;
};
constexpr CheckKind kStartupCheck{CURRENT_VERSION, true, false};
constexpr CheckKind kOnlineCheck{UPDATE_WINDOW_VERSION, false, true};

CheckOutcome endProgram(const VersionCheckHooks &hooks)
{
    if (hooks.endProgram)
        hooks.endProgram();
    return CheckOutcome::ProgramEnds;
}

CheckOutcome runCheck(const CheckKind &kind, QLabel *label, const ServerText &version, const VersionCheckHooks &hooks)
{
    if (!version.ok()) {
        label->setText(kind.reportFailure ? kCheckFailedCaption : QString());
        label->setToolTip(QStringLiteral("版本检查失败：") + version.reason);
        if (kind.reportFailure)
            showMessage(QStringLiteral("版本检查失败：") + version.reason, kDefaultMessageTitle, QMessageBox::Information);
        return CheckOutcome::Continue;
    }
    label->setToolTip(QString());
    label->setText(version.text);
    if (!sameVersion(version.bytes, kind.reference)) {
        if (askYesNo(kNewVersionQuestion)) {
            openUpdatePrompt(hooks.openProgressWindow);
            return endProgram(hooks);
        }
        if (askYesNo(kOpenSiteQuestion, kOpenSiteTitle)) {
            const QString home = currentSite().baseAddress + (kind.homePageWithSlash ? QStringLiteral("/") : QString());
            openAddress(QUrl(home));
            return endProgram(hooks);
        }
        showMessage(kNotLatestWarning, kDefaultMessageTitle, QMessageBox::Information);
    }
    if (sameVersion(version.bytes, kind.reference))
        label->setText(kLatestVersionCaption);
    return CheckOutcome::Continue;
}

} // namespace

CheckOutcome runStartupVersionCheck(QLabel *label4, const ServerText &version, const VersionCheckHooks &hooks)
{
    return runCheck(kStartupCheck, label4, version, hooks);
}

CheckOutcome runStartupVersionCheck(QLabel *label4, const VersionCheckHooks &hooks)
{
    return runStartupVersionCheck(label4, fetchServerText(QString::fromLatin1(kVersionTextPath)), hooks);
}

CheckOutcome runOnlineVersionCheck(QLabel *label1, const ServerText &version, const VersionCheckHooks &hooks)
{
    return runCheck(kOnlineCheck, label1, version, hooks);
}
