#pragma once
// A report job that reads the books through a snapshot of its own (ReadSnapshot): its figures come
// from one state of the books however long it runs and whatever others post meanwhile. The
// snapshot is let go once the job has read its last row or is stopped.
#include "engine/ReadSnapshot.h"
#include "reportkit/Job.h"

#include <utility>

namespace rk {

template <typename J> class SnapshotJob : public ReportJob {
public:
    // `J` is made on the snapshot's connection, with the arguments after it.
    template <typename... A>
    explicit SnapshotJob(const Db &books, A &&...args)
        : m_snapshot(books), m_job(m_snapshot.db(), std::forward<A>(args)...)
    {
    }

    QString title() const override { return m_job.title(); }
    PageSetup setup() const override { return m_job.setup(); }
    void begin(ReportLayout &layout) override { m_job.begin(layout); }
    bool step(ReportLayout &layout) override { return m_job.step(layout); }
    void end(ReportLayout &layout) override
    {
        m_job.end(layout);
        m_snapshot.release();
    }
    int progress() const override { return m_job.progress(); }
    void halt() override
    {
        m_job.halt();
        m_snapshot.release();
    }
    J &job() { return m_job; }

private:
    ReadSnapshot m_snapshot;
    J m_job;
};

}  // namespace rk
