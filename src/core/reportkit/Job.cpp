#include "reportkit/Job.h"

#include <QElapsedTimer>

namespace rk {

ReportRun::ReportRun(ReportJob &job, PageSink &sink) : m_job(job), m_layout(job.setup(), sink) {}

bool ReportRun::runSlice(int milliseconds)
{
    if (m_finished)
        return true;
    QElapsedTimer timer;
    timer.start();
    if (!m_begun) {
        m_job.begin(m_layout);
        m_begun = true;
    }
    while (milliseconds < 0 || timer.elapsed() < milliseconds) {
        if (!m_job.step(m_layout)) {
            m_job.end(m_layout);
            m_layout.finish();
            m_finished = true;
            return true;
        }
    }
    return false;
}

void ReportRun::stop()
{
    if (m_finished)
        return;
    // What was made so far stays viewable: the open page is closed as it is.
    if (m_begun)
        m_layout.finish();
    m_stopped = true;
    m_finished = true;
    m_job.halt();
}

int ReportRun::progress() const { return m_finished ? 100 : m_job.progress(); }

void RunReport(ReportJob &job, PageSink &sink)
{
    ReportRun run(job, sink);
    run.runSlice(-1);
}

}  // namespace rk
