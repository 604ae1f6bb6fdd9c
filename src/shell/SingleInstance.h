#pragma once

#include <QLockFile>
#include <QString>

#include <memory>

namespace lumora {

// Lumora runs once per program folder: a second copy would write the same settings file at exit
// and lose the first copy's changes. The claim is a lock file in the program folder that holds
// the owner's process id, so a copy that crashed does not keep later starts out.
class SingleInstance {
public:
    // Tries to claim the program folder; false when another running copy holds it.
    bool claim(const QString& programFolder);
    bool claimed() const { return lock_ && lock_->isLocked(); }

    // "There is already an instance of Lumora running!" and the second line.
    static QString AlreadyRunningMessage();

private:
    std::unique_ptr<QLockFile> lock_;
};

}  // namespace lumora
