#pragma once

#include "cli/output_buffer.h"
#include "cli/temporary_paths.h"

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace shift {

// A folder whose files a web server may be serving while they are replaced.
//
// Runs on folders of one parent take turns: each holds an flock() on the lock file
// ".shiftcal-lock" in the parent from start to end (made 0644 if missing, and left there so
// that every run locks the same file; a script may hold it too to keep publish out), and so
// removes what a run killed outright left behind: ".shiftcal-XXXXXX" folders in the parent and
// ".shiftcal-XXXXXX" files in the folder.
//
// The new set is written into a fresh folder beside `folder` (".shiftcal-XXXXXX" in the same
// parent, so on the same file system), each file through OutputFile with mode 0644 and the
// folder's group. A file whose bytes equal the old one's is the old file, hard-linked, so its
// modification time stays; when every file is unchanged nothing is replaced at all. commit()
// gives the new folder the old one's mode, owner and group (owner where the process may; 0755
// for a folder that did not exist), syncs it and puts it in place with one renameat2():
// RENAME_NOREPLACE where nothing is yet, RENAME_EXCHANGE with a folder that is there, whose old
// set then lies under the fresh folder's name and is removed. A reader that opens the folder
// once sees the old set or the new one; a reader that opens files by path across the swap may
// take some from each. A process that holds the old folder open (as its working folder, say)
// keeps the old folder, which is emptied.
//
// Where the file system cannot exchange the folder (a mount point: EBUSY; an overlay's lower
// layer: EXDEV; FUSE, NFS: EINVAL), commit() says so in one line on standard error and
// replaces the changed files one by one inside the folder, each whole (OutputFile), then
// removes the names of the set it did not write: the result is the whole new set, but a reader
// may meet a mix of files while it runs.
//
// Only a folder that holds nothing but regular files named in `names` is replaced, so that a
// mistyped folder (a home folder) is never emptied; an empty one is replaced, and one that does
// not exist is made (its parent must exist). A symbolic link to a folder stands for the folder
// it names, unless another user planted it in a shared sticky folder (output_file.h
// mayFollowLink()). The process must be able to write the parent, and the folder when it holds
// files (to remove the old ones).
//
// The lock is held from the constructor to the destructor, so a second SiteFolder in the same
// parent waits for the first to be destroyed, in the same process too.
//
// Failures throw WriteError "cannot publish to FOLDER: REASON", with nothing of the run left
// behind but the lock file, or (only when the old set cannot be removed after the swap) the
// old set under its ".shiftcal-XXXXXX" name, which the message names. Destroying a SiteFolder
// that was not committed removes the new set, and SIGINT, SIGTERM, SIGHUP or SIGXFSZ do so too
// (temporary_paths.h): the folder keeps its old set.
//
// Example: SiteFolder site("public", {"a.ics", "index.html"});
//          site.write("a.ics", [](OutputBuffer &out) { out.append("BEGIN:VCALENDAR..."); });
//          site.write("index.html", ...);
//          site.commit();   // public/ now holds a.ics and index.html, and nothing else
class SiteFolder {
public:
    SiteFolder(const std::string &folder, std::vector<std::string> names);
    ~SiteFolder();
    SiteFolder(const SiteFolder &) = delete;
    SiteFolder &operator=(const SiteFolder &) = delete;

    // Writes `name`, one of the names, into the new set with what `fill` appends.
    void write(const std::string &name, const std::function<void(OutputBuffer &)> &fill);

    // Puts the new set in place of the old one, and removes the old one.
    void commit();

private:
    void lockParent();
    void removeDeadRuns() const;
    // Whether the folder exists (then m_old and m_oldCount describe it); throws when it holds
    // what may not be replaced, or files the process may not remove.
    bool inspect();
    void giveOldAttributes() const;
    void replaceFileByFile(int exchangeError);
    int removeSet(const std::string &path) const;
    [[noreturn]] void fail(int error) const;
    [[noreturn]] void fail(const std::string &reason) const;

    std::string m_shownName; // as given, for messages
    std::string m_path; // the folder itself, links in it resolved
    std::string m_parent;
    std::vector<std::string> m_names;
    std::vector<std::string> m_written;
    std::string m_temporary; // the new set until commit()
    std::optional<TemporaryPath> m_temporaryCleanup;
    std::deque<TemporaryPath> m_writtenCleanup;
    // Closed as a member, so that a constructor that throws releases it too; after the
    // destructor's body, so that no other run takes the new set for a dead run's meanwhile.
    struct LockFile {
        int fd = -1;
        LockFile() = default;
        LockFile(const LockFile &) = delete;
        LockFile &operator=(const LockFile &) = delete;
        ~LockFile();
    };
    LockFile m_lock;
    bool m_exists = false;
    struct stat m_old { }; // the folder as it was, when m_exists
    std::size_t m_oldCount = 0; // files in it
    bool m_changed = false; // some file written is not the old one
    bool m_committed = false;
};

} // namespace shift
