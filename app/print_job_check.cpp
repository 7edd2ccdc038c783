#include "app/print_job_check.h"

#include "app/error_box.h"

#include <QLibrary>
#include <QScopedValueRollback>

#include <algorithm>
#include <cups/cups.h>
#include <memory>
#include <stdexcept>
#include <string_view>
#include <utility>

namespace shift {

namespace {

constexpr int kLookMilliseconds = 500;

// libcups, loaded on the first print instead of with the program: it brings eighteen libraries
// of its own (TLS, Kerberos, Avahi, ...) that would slow every start by some milliseconds. Qt's
// print support loads the same library for the print itself, so by the time a job is checked
// it is in memory already, with the thread's last answer from the scheduler.
struct Cups {
    decltype(&::cupsGetJobs2) getJobs2 = nullptr;
    decltype(&::cupsFreeJobs) freeJobs = nullptr;
    decltype(&::cupsLastError) lastError = nullptr;
    decltype(&::cupsLastErrorString) lastErrorString = nullptr;
    decltype(&::cupsUser) user = nullptr;
    decltype(&::cupsDoRequest) doRequest = nullptr;
    decltype(&::ippNewRequest) newRequest = nullptr;
    decltype(&::ippAddString) addString = nullptr;
    decltype(&::ippFindAttribute) findAttribute = nullptr;
    decltype(&::ippGetCount) getCount = nullptr;
    decltype(&::ippGetString) getString = nullptr;
    decltype(&::ippGetInteger) getInteger = nullptr;
    decltype(&::ippDelete) deleteIpp = nullptr;
};

template <typename Function>
bool resolve(QLibrary &library, const char *name, Function &function)
{
    function = reinterpret_cast<Function>(library.resolve(name));
    return function != nullptr;
}

// The library's functions, or null when it cannot be loaded (then Qt cannot print either).
const Cups *cups()
{
    static const Cups *const loaded = []() -> const Cups * {
        static QLibrary library(QStringLiteral("cups"), 2);
        static Cups functions;
        const bool all = resolve(library, "cupsGetJobs2", functions.getJobs2)
            && resolve(library, "cupsFreeJobs", functions.freeJobs)
            && resolve(library, "cupsLastError", functions.lastError)
            && resolve(library, "cupsLastErrorString", functions.lastErrorString)
            && resolve(library, "cupsUser", functions.user)
            && resolve(library, "cupsDoRequest", functions.doRequest)
            && resolve(library, "ippNewRequest", functions.newRequest)
            && resolve(library, "ippAddString", functions.addString)
            && resolve(library, "ippFindAttribute", functions.findAttribute)
            && resolve(library, "ippGetCount", functions.getCount)
            && resolve(library, "ippGetString", functions.getString)
            && resolve(library, "ippGetInteger", functions.getInteger)
            && resolve(library, "ippDelete", functions.deleteIpp);
        return all ? &functions : nullptr;
    }();
    return loaded;
}

std::string queueOf(const QString &printer)
{
    return printer.section(QLatin1Char('/'), 0, 0).toStdString();
}

std::string nameOf(const QString &printer)
{
    return printer.toStdString();
}

struct IppDeleter {
    void operator()(ipp_t *ipp) const { cups()->deleteIpp(ipp); }
};
using Ipp = std::unique_ptr<ipp_t, IppDeleter>;

// The attribute's values that say something ("none" and empty ones left out).
std::vector<std::string> valuesOf(const Cups &lib, ipp_t *response, const char *name)
{
    std::vector<std::string> values;
    ipp_attribute_t *attribute = lib.findAttribute(response, name, IPP_TAG_ZERO);
    if (attribute == nullptr)
        return values;
    for (int i = 0; i < lib.getCount(attribute); ++i) {
        const char *value = lib.getString(attribute, i, nullptr);
        if (value != nullptr && *value != '\0' && std::string_view(value) != "none")
            values.emplace_back(value);
    }
    return values;
}

std::string firstValueOf(const Cups &lib, ipp_t *response, const char *name)
{
    std::vector<std::string> values = valuesOf(lib, response, name);
    return values.empty() ? std::string() : std::move(values.front());
}

// The reason a queue gives for not accepting jobs, as the one who stopped it wrote it
// (cupsreject -r); empty when it gives none. The scheduler puts its own "Rejecting Jobs" there
// when nobody gave a reason, which says no more than the refusal itself.
std::string refusalReasonOf(const Cups &lib, const std::string &queue)
{
    ipp_t *request = lib.newRequest(IPP_OP_GET_PRINTER_ATTRIBUTES);
    const std::string uri = "ipp://localhost/printers/" + queue;
    lib.addString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri.c_str());
    const Ipp response(lib.doRequest(CUPS_HTTP_DEFAULT, request, "/"));
    if (response == nullptr || lib.lastError() > IPP_STATUS_OK_EVENTS_COMPLETE)
        return {};
    std::string reason = firstValueOf(lib, response.get(), "printer-state-message");
    return reason == "Rejecting Jobs" ? std::string() : reason;
}

bool has(const std::vector<std::string> &reasons, std::string_view keyword)
{
    return std::find(reasons.begin(), reasons.end(), keyword) != reasons.end();
}

} // namespace

int newestJobOf(const QString &printer)
{
    const Cups *lib = cups();
    if (lib == nullptr)
        return 0;
    cups_job_t *jobs = nullptr;
    const int count
        = lib->getJobs2(CUPS_HTTP_DEFAULT, &jobs, queueOf(printer).c_str(), 1, CUPS_WHICHJOBS_ALL);
    int newest = 0;
    for (int i = 0; i < count; ++i)
        newest = std::max(newest, jobs[i].id);
    lib->freeJobs(count, jobs);
    return newest;
}

int submittedJob(const QString &printer, int newestBefore)
{
    const Cups *lib = cups();
    if (lib == nullptr)
        return 0;
    // The status of Qt's cupsPrintFile, before any call of ours overwrites it.
    if (lib->lastError() > IPP_STATUS_OK_EVENTS_COMPLETE) {
        const char *answer = lib->lastErrorString();
        std::string reason = answer != nullptr ? answer : "no reason given";
        if (std::string own = refusalReasonOf(*lib, queueOf(printer)); !own.empty())
            reason = std::move(own);
        throw std::runtime_error("Printer " + nameOf(printer) + " refused the job: " + reason);
    }
    const int newest = newestJobOf(printer);
    return newest > newestBefore ? newest : 0;
}

JobState jobStateOf(int jobId)
{
    const Cups *lib = cups();
    if (lib == nullptr)
        return { JobState::Kind::Gone, {}, {} };
    ipp_t *request = lib->newRequest(IPP_OP_GET_JOB_ATTRIBUTES);
    const std::string uri = "ipp://localhost/jobs/" + std::to_string(jobId);
    lib->addString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "job-uri", nullptr, uri.c_str());
    lib->addString(
        request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr, lib->user());
    const Ipp response(lib->doRequest(CUPS_HTTP_DEFAULT, request, "/"));
    if (response == nullptr || lib->lastError() > IPP_STATUS_OK_EVENTS_COMPLETE)
        return { JobState::Kind::Gone, {}, {} };
    ipp_attribute_t *state = lib->findAttribute(response.get(), "job-state", IPP_TAG_ENUM);
    if (state == nullptr)
        return { JobState::Kind::Gone, {}, {} };
    std::vector<std::string> reasons = valuesOf(*lib, response.get(), "job-state-reasons");
    std::string message = firstValueOf(*lib, response.get(), "job-printer-state-message");
    switch (static_cast<ipp_jstate_t>(lib->getInteger(state, 0))) {
    case IPP_JSTATE_COMPLETED:
        return { JobState::Kind::Printed, {}, {} };
    case IPP_JSTATE_CANCELED:
        return { JobState::Kind::Canceled, std::move(reasons), std::move(message) };
    case IPP_JSTATE_ABORTED:
        return { JobState::Kind::Aborted, std::move(reasons), std::move(message) };
    default:
        return { JobState::Kind::Waiting, {}, {} };
    }
}

// A person cancels a job (its owner, an administrator, or someone at the printer's panel); the
// printer or the print system aborts one, and then the printer's own words say why.
std::string unprintedJobMessage(const QString &printer, const JobState &state)
{
    const std::string name = nameOf(printer);
    switch (state.kind) {
    case JobState::Kind::Canceled:
        if (has(state.reasons, "job-canceled-at-device"))
            return "The job was cancelled at printer " + name;
        if (has(state.reasons, "job-canceled-by-operator"))
            return "The job was cancelled on printer " + name + " by an administrator";
        return "The job was cancelled on printer " + name;
    case JobState::Kind::Aborted:
        if (!state.printerMessage.empty())
            return "Printer " + name + " stopped the job: " + state.printerMessage;
        if (has(state.reasons, "job-aborted-by-system"))
            return "The print system stopped the job on printer " + name;
        return "Printer " + name + " could not print the job";
    case JobState::Kind::Gone:
        return "Printer " + name + " no longer has the job";
    default:
        return {};
    }
}

PrintJobWatch::PrintJobWatch(QObject *parent)
    : QObject(parent)
{
    m_timer.setInterval(kLookMilliseconds);
    connect(&m_timer, &QTimer::timeout, this, &PrintJobWatch::look);
}

void PrintJobWatch::follow(const QString &printer, int jobId)
{
    m_jobs.push_back({ printer, jobId });
    m_timer.start();
}

// The error box runs an event loop of its own; the looks it lets through wait for it.
void PrintJobWatch::look()
{
    if (m_reporting)
        return;
    const QScopedValueRollback<bool> reporting(m_reporting, true);
    std::vector<std::string> messages;
    std::erase_if(m_jobs, [&messages](const Job &job) {
        const JobState state = jobStateOf(job.id);
        if (state.kind == JobState::Kind::Waiting)
            return false;
        std::string message = unprintedJobMessage(job.printer, state);
        if (!message.empty())
            messages.push_back(std::move(message));
        return true;
    });
    if (m_jobs.empty())
        m_timer.stop();
    for (const std::string &message : messages)
        showError(std::runtime_error(message));
}

} // namespace shift
