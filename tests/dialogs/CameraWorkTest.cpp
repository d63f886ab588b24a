// A camera panel's work queue, played from both sides on this thread: the
// order of jobs, how requests fold into those still queued, readings taken
// by number only, and what a closed window or a stop leaves.
#include "dialogs/CameraWork.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace ostrivan;

namespace {

const PropertyRow kRows[] = {
    {&IID_IAMVideoProcAmp, VideoProcAmp_Brightness, {}, 0, SliderUse::Always, nullptr, nullptr},
    {&IID_IAMVideoProcAmp, VideoProcAmp_Contrast, {}, 0, SliderUse::Always, nullptr, nullptr},
};
constexpr UINT kReadingMessage = WM_APP + 7;

class CameraWorkTest : public ::testing::Test {
protected:
    void SetUp() override {
        work_ = CameraWork::Create(kRows);
        ASSERT_TRUE(work_);
        ASSERT_TRUE(window_ = ::CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr,
                                                nullptr));
        work().Open(window_, kReadingMessage);
    }
    void TearDown() override {
        work().Close();
        ::DestroyWindow(window_);
        MSG message;
        while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        }
    }
    CameraWork& work() { return *work_.get(); }

    // The table as the window holds it, with wanted brightness and contrast.
    static void Want(CameraProperty* records, int32_t brightness, int32_t contrast) {
        std::memset(records, 0, sizeof(CameraProperty) * 2);
        records[0].valid = records[1].valid = 1;
        records[0].value = brightness;
        records[1].value = contrast;
    }
    uint32_t Write(const char* device, uint32_t rows, int32_t brightness, int32_t contrast) {
        CameraProperty records[2];
        Want(records, brightness, contrast);
        return work().Write(device, rows, records);
    }
    // The worker's side: takes the next job (which must be there).
    CameraJob Take() {
        CameraJob job;
        EXPECT_TRUE(work().Next(&job));
        return job;
    }
    // The worker's side: ends a read with what it brought.
    void EndRead(const CameraJob& job, bool opened) {
        CameraReading reading;
        reading.id = job.id;
        reading.opened = opened;
        std::strcpy(reading.device, job.device);
        work().Done(&reading);
    }
    // The number of the reading posted last to the window, 0 for none.
    uintptr_t PostedReading() {
        MSG message;
        uintptr_t id = 0;
        while (::PeekMessageA(&message, window_, kReadingMessage, kReadingMessage, PM_REMOVE)) id = message.lParam;
        return id;
    }

    CameraWorkRef work_;
    HWND window_ = nullptr;
};

TEST_F(CameraWorkTest, JobsRunInTheOrderAskedAndAWriteComesBeforeTheReadAskedAfterIt) {
    uint32_t write = Write("A", 1, 12, 0);
    uint32_t read = work().Read("A");
    ASSERT_NE(0u, write);
    ASSERT_GT(read, write);
    CameraJob first = Take();
    EXPECT_EQ(CameraJob::Kind::Write, first.kind);
    EXPECT_EQ(write, first.id);
    EXPECT_EQ(12, first.records[0].value);
    EXPECT_TRUE(work().Busy());
    EXPECT_FALSE(work().Finished(write)) << "running";
    work().Done(nullptr);
    EXPECT_TRUE(work().Finished(write));
    EXPECT_FALSE(work().Finished(read));
    CameraJob second = Take();
    EXPECT_EQ(CameraJob::Kind::Read, second.kind);
    EXPECT_STREQ("A", second.device);
}

TEST_F(CameraWorkTest, ABurstOfWritesFoldsIntoOneJobWithTheNewestValuesOfEveryRowMoved) {
    uint32_t first = Write("A", 1, 4, 50);   // brightness moved
    uint32_t second = Write("A", 2, 4, 61);  // then contrast
    uint32_t third = Write("A", 1, 8, 61);   // then brightness again
    EXPECT_GT(third, second);
    EXPECT_GT(second, first);
    CameraJob job = Take();
    EXPECT_EQ(third, job.id) << "one job, numbered as the newest request";
    EXPECT_EQ(3u, job.rows);
    EXPECT_EQ(8, job.records[0].value);
    EXPECT_EQ(61, job.records[1].value);
    EXPECT_FALSE(work().Finished(first)) << "folded into the running job, not yet written";
    work().Done(nullptr);
    EXPECT_TRUE(work().Finished(first) && work().Finished(second) && work().Finished(third));
    EXPECT_FALSE(work().Busy());
}

TEST_F(CameraWorkTest, WritesFoldOnlyIntoTheLastQueuedWriteOfTheSameCamera) {
    struct Case {
        const char* what;
        bool readBetween;
        const char* secondDevice;
        int jobs;
    };
    for (Case c : {Case{"same camera, nothing between", false, "A", 1}, Case{"a read between", true, "A", 3},
                   Case{"another camera", false, "B", 2}}) {
        SCOPED_TRACE(c.what);
        Write("A", 1, 4, 0);
        if (c.readBetween) work().Read("A");
        Write(c.secondDevice, 1, 8, 0);
        int jobs = 0;
        int32_t lastValue = 0;
        while (work().Busy()) {
            CameraJob job = Take();
            ++jobs;
            if (job.kind == CameraJob::Kind::Write) lastValue = job.records[0].value;
            work().Done(nullptr);
        }
        EXPECT_EQ(c.jobs, jobs);
        EXPECT_EQ(8, lastValue) << "the newest value is written last";
    }
}

TEST_F(CameraWorkTest, ANewReadReplacesTheReadsStillQueuedButNotTheWrites) {
    work().Read("A");
    uint32_t write = Write("A", 1, 4, 0);
    uint32_t read = work().Read("B");
    CameraJob first = Take();
    EXPECT_EQ(write, first.id);
    work().Done(nullptr);
    CameraJob second = Take();
    EXPECT_EQ(read, second.id);
    EXPECT_STREQ("B", second.device);
    EndRead(second, true);
    EXPECT_EQ(read, PostedReading());
}

TEST_F(CameraWorkTest, AReadingIsTakenOnceAndOnlyByItsNumber) {
    uint32_t read = work().Read("A");
    EndRead(Take(), true);
    EXPECT_TRUE(work().Busy()) << "a reading announced and not yet taken";
    CameraReading reading;
    EXPECT_FALSE(work().TakeReading(read + 1, &reading)) << "a number nobody was given";
    EXPECT_FALSE(work().TakeReading(0, &reading));
    ASSERT_TRUE(work().TakeReading(read, &reading));
    EXPECT_TRUE(reading.opened);
    EXPECT_STREQ("A", reading.device);
    EXPECT_FALSE(work().TakeReading(read, &reading)) << "a second time";
    EXPECT_FALSE(work().Busy());
}

TEST_F(CameraWorkTest, AReadingOvertakenByANewerOneIsNotTaken) {
    uint32_t older = work().Read("A");
    EndRead(Take(), true);
    uint32_t newer = work().Read("A");
    EndRead(Take(), false);
    CameraReading reading;
    EXPECT_FALSE(work().TakeReading(older, &reading));
    ASSERT_TRUE(work().TakeReading(newer, &reading));
    EXPECT_FALSE(reading.opened);
}

TEST_F(CameraWorkTest, OnceTheWindowIsGoneItsReadsAreDroppedAndItsWritesStillMade) {
    work().Read("A");
    uint32_t write = Write("A", 1, 4, 0);
    work().Read("A");
    work().Close();
    EXPECT_EQ(0u, PostedReading());
    CameraJob job = Take();
    EXPECT_EQ(write, job.id);
    work().Done(nullptr);
    // A read asked for now still runs, but its reading reaches nobody.
    uint32_t read = work().Read("A");
    EndRead(Take(), true);
    CameraReading reading;
    EXPECT_FALSE(work().TakeReading(read, &reading));
    EXPECT_FALSE(work().Busy());
}

TEST_F(CameraWorkTest, AStopEndsTheWorkerOnceItsWritesAreMadeAndTakesNothingMore) {
    work().Read("A");
    uint32_t write = Write("A", 1, 4, 0);
    work().Stop();
    EXPECT_EQ(0u, work().Read("A"));
    EXPECT_EQ(0u, Write("A", 1, 8, 0));
    CameraJob job;
    ASSERT_TRUE(work().Next(&job));
    EXPECT_EQ(write, job.id) << "the read was dropped, the write is made";
    work().Done(nullptr);
    EXPECT_FALSE(work().Next(&job));
}

TEST_F(CameraWorkTest, AFullQueueRefusesANewJobButStillFoldsIntoItsLastWrite) {
    // Writes that take turns between three cameras never fold.
    const char* const cameras[] = {"A", "B", "C"};
    for (int i = 0; i < CameraWork::kMostQueued; ++i) ASSERT_NE(0u, Write(cameras[i % 3], 1, i, 0)) << i;
    const char* last = cameras[(CameraWork::kMostQueued - 1) % 3];
    const char* other = cameras[CameraWork::kMostQueued % 3];
    EXPECT_EQ(0u, Write(other, 1, 100, 0)) << "no room";
    EXPECT_EQ(0u, work().Read(other)) << "no room";
    EXPECT_NE(0u, Write(last, 1, 200, 0)) << "folding needs no room";
    work().Stop();
    CameraJob job;
    int taken = 0;
    int32_t lastValue = 0;
    while (work().Next(&job)) {
        ++taken;
        lastValue = job.records[0].value;
        work().Done(nullptr);
    }
    EXPECT_EQ(CameraWork::kMostQueued, taken);
    EXPECT_EQ(200, lastValue);
}

}  // namespace
