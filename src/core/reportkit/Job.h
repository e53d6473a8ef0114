#pragma once
// A report is a job that lays its bands out a step at a time: the preview runs a few steps
// between events so its first page shows while later pages are being made, and can stop it;
// the command line runs it to the end.
#include "reportkit/Layout.h"

#include <QString>

namespace rk {

class ReportJob {
public:
    virtual ~ReportJob() = default;
    virtual QString title() const = 0;
    virtual PageSetup setup() const = 0;
    // Title, page header and footer; the first data may be read here.
    virtual void begin(ReportLayout &layout) = 0;
    // Adds the next band or bands; false when the data are exhausted.
    virtual bool step(ReportLayout &layout) = 0;
    // Summary bands after the last step.
    virtual void end(ReportLayout &layout) = 0;
    // 0..100 for the generation meter.
    virtual int progress() const = 0;
    // The run stopped before the end: what the job holds to read its rows (a reader, a
    // connection) is let go, while its pages stay viewable.
    virtual void halt() {}
};

// Drives a job into a sink, to the end or a slice at a time.
class ReportRun {
public:
    ReportRun(ReportJob &job, PageSink &sink);
    // Runs steps for about `milliseconds` (all of them when negative); true once finished.
    bool runSlice(int milliseconds);
    void stop();
    bool finished() const { return m_finished; }
    bool stopped() const { return m_stopped; }
    int pagesDone() const { return m_layout.pagesDone(); }
    int progress() const;

private:
    ReportJob &m_job;
    ReportLayout m_layout;
    bool m_begun = false;
    bool m_finished = false;
    bool m_stopped = false;
};

// Runs a whole job into the sink.
void RunReport(ReportJob &job, PageSink &sink);

}  // namespace rk
