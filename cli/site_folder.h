#pragma once

#include "cli/output_buffer.h"
#include "cli/temporary_paths.h"

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace shift {

// A folder whose files a web server may be serving while they are replaced, and so are
// replaced as a whole: a reader sees the old set or the new one, never a mix of the two and
// never a file half written.
//
// The new set is written into a fresh folder beside `folder` (".shiftcal-XXXXXX" in the same
// parent, so on the same file system), each file through OutputFile with mode 0644. commit()
// sets that folder to 0755 and puts it in place with one renameat2(): RENAME_NOREPLACE where
// nothing is yet, RENAME_EXCHANGE with a folder that is there, whose old set then lies under
// the fresh folder's name and is removed. Both modes are fixed whatever the umask. Two
// processes that replace the same folder at once each swap in a whole set, and the last one
// stays. A process that holds the old folder open (as its working folder, say) keeps the old
// folder, which is emptied.
//
// Only a folder that holds nothing but regular files named in `names` is replaced, so that a
// mistyped folder (a home folder) is never emptied; an empty one is replaced, and one that does
// not exist is made (its parent must exist). A symbolic link to a folder stands for the folder
// it names. The process must be able to write the parent.
//
// Failures throw WriteError "cannot publish to FOLDER: REASON". Destroying a SiteFolder that
// was not committed removes the new set, and SIGINT, SIGTERM, SIGHUP or SIGXFSZ do so too
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
    // Whether the folder still exists; throws when it holds what may not be replaced.
    bool checkReplaceable() const;
    void removeSet(const std::string &path) const;
    [[noreturn]] void fail(int error) const;
    [[noreturn]] void fail(const std::string &reason) const;

    std::string m_shownName; // as given, for messages
    std::string m_path; // the folder itself, links in it resolved
    std::vector<std::string> m_names;
    std::string m_temporary; // the new set until commit()
    std::optional<TemporaryPath> m_temporaryCleanup;
    std::deque<TemporaryPath> m_writtenCleanup;
    bool m_exists = false;
    bool m_committed = false;
};

} // namespace shift
