#pragma once

#include <QObject>
#include <QString>
#include <QTimer>

#include <string>
#include <vector>

namespace shift {

// What the print system (CUPS, through libcups, loaded at the first use) makes of a job this
// program hands it.
//
// Qt's CUPS back end submits the job as the page's painter ends and keeps the scheduler's
// answer to itself, so a queue that does not accept jobs or a printer that has gone would leave
// no job and no word. That answer is still there to read, on the same thread, right after the
// painter has ended; and a job that was accepted can be followed in its queue until it ends.
// Every failure becomes a one-line message that names the printer.
//
// Printer names are CUPS destinations, as QPrinter::printerName() gives them ("NAME" or
// "NAME/INSTANCE"; the instance is not part of the queue's name).

// The highest id among this user's jobs on `printer`, done or not; 0 when there are none or
// the scheduler cannot be asked. Read it before a print, to tell the print's job from others.
int newestJobOf(const QString &printer);

// The id of the job just submitted to `printer`, to be called right after the painter on it
// has ended, with no other call to the print system in between; `newestBefore` is what
// newestJobOf gave before the print. Throws std::runtime_error when the scheduler refused the
// job: "Printer NAME refused the job: REASON", REASON the printer's own word when it has one
// (the reason given to cupsreject -r, e.g. "paper jam"), else the scheduler's answer (e.g. "The
// printer or class is not accepting jobs."). Returns 0 when the job was accepted but is no
// longer to be found (a scheduler that keeps no history of finished jobs).
int submittedJob(const QString &printer, int newestBefore);

// Where a job stands, with the scheduler's word on a job that ended unprinted: the keywords of
// its state (job-state-reasons, e.g. "job-canceled-by-user", "job-aborted-by-system") and what
// its printer said in words meanwhile (job-printer-state-message, e.g. "Out of paper"); both
// empty for a job printed or waiting.
struct JobState {
    enum class Kind { Waiting, Printed, Canceled, Aborted, Gone };
    Kind kind = Kind::Waiting;
    std::vector<std::string> reasons;
    std::string printerMessage;
};
JobState jobStateOf(int jobId);

// The message for a job on `printer` that ended unprinted, empty for one printed or waiting. It
// says who or what stopped the job in plain words, never in the scheduler's keywords:
//   Canceled (by its owner, or with no keyword)  "The job was cancelled on printer office"
//   Canceled, "job-canceled-by-operator"         "... cancelled on printer office by an
//                                                 administrator"
//   Canceled, "job-canceled-at-device"           "The job was cancelled at printer office"
//   Aborted with a printer message "Out of paper" "Printer office stopped the job: Out of paper"
//   Aborted, "job-aborted-by-system"             "The print system stopped the job on printer
//                                                 office"
//   Aborted otherwise                            "Printer office could not print the job"
//   Gone                                         "Printer office no longer has the job"
std::string unprintedJobMessage(const QString &printer, const JobState &state);

// Follows jobs until they end, looking at each every half second; a job that ends unprinted is
// reported in the error box (error_box.h) with unprintedJobMessage. Looks only while it has
// jobs to follow.
class PrintJobWatch : public QObject {
    Q_OBJECT
public:
    explicit PrintJobWatch(QObject *parent = nullptr);

    void follow(const QString &printer, int jobId);

    // The jobs still followed.
    int followed() const { return static_cast<int>(m_jobs.size()); }

    // One look at every followed job, as the timer takes it.
    void look();

private:
    struct Job {
        QString printer;
        int id = 0;
    };
    std::vector<Job> m_jobs;
    QTimer m_timer;
    bool m_reporting = false;
};

} // namespace shift
