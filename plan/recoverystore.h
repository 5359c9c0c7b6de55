#pragma once

#include "plan.h"

#include <QString>

#include <memory>
#include <optional>

class QLockFile;

// Copies of unsaved plans that outlive a crash, in the user's data folder.
// Each running program writes its own copy and holds that copy's lock while
// it runs. A copy whose lock nobody holds was left by a program that did
// not end normally; the next start claims it, so no other start offers it
// too, and offers it back. Copies are replaced only by complete new ones.
class RecoveryStore final
{
public:
    struct Copy {
        Plan plan;
        QString planPath; // where the plan was saved before, or empty
        QString file;     // the copy itself
    };

    // "fenwarde/recovery" in the user's data folder (XDG_DATA_HOME).
    static QString defaultFolder();

    explicit RecoveryStore(const QString &folder = defaultFolder());
    ~RecoveryStore();

    // Writes this program's copy of the plan, saved at planPath or never.
    bool save(const Plan &plan, const QString &planPath, QString *reason);
    // Deletes this program's copy; nothing to recover any more.
    void discard();

    // The newest copy a program that ended abnormally left, claimed by this
    // one until dropped. A copy that cannot be read is deleted.
    std::optional<Copy> claimLeftCopy();
    void drop(const Copy &copy);

private:
    QString m_folder;
    QString m_name;
    std::unique_ptr<QLockFile> m_lock;
    std::unique_ptr<QLockFile> m_claimed;
};
