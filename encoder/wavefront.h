#pragma once
// Runs a grid of work items on several threads as a wavefront: the items of
// a row one after another, and item c of row r only once row r - 1 has
// finished `lead` items beyond c (or all of its items). Whatever an item
// reads of the rows above is then final, so the results do not depend on
// which thread runs which row or on their timing.

#include <condition_variable>
#include <exception>
#include <functional>
#include <mutex>
#include <vector>

namespace encoder {

class Wavefront {
public:
    // Runs item(worker, row, column) for every item. Workers are numbered
    // from 0, the calling thread being worker 0; each takes the lowest row not
    // yet taken, so a worker meets its rows, and their items, in order.
    using Item = std::function<void(int worker, int row, int column)>;

    Wavefront(int rows, int columns, int lead);
    Wavefront(const Wavefront&) = delete;
    Wavefront& operator=(const Wavefront&) = delete;

    // Threads beyond this would only wait: a row starts once the one above
    // has `lead` items done, so no more than columns / lead rows, rounded
    // up, are ever under way.
    int usefulWorkers(int threads) const;

    // Returns once every item has run. If an item throws, no further items
    // start and, once every thread has stopped, the first exception is thrown
    // here. Runs on fewer threads if the system will not start as many.
    void run(int workers, const Item& item);

private:
    void work(int worker, const Item& item);
    int takeRow();
    // Waits until the item may start; false once the run is stopping.
    bool awaitRowAbove(int row, int column);
    void finished(int row);
    void stop(std::exception_ptr failure);

    // Items beyond those needed that a held-up row waits for.
    static constexpr int kResumeSlack = 4;

    int rows_, columns_, lead_;
    std::mutex mutex_;
    std::condition_variable progress_;
    std::vector<int> done_;    // items finished, per row
    std::vector<int> wanted_;  // per row waiting, the items of the row above it waits for; else 0
    int nextRow_ = 0;
    bool stopping_ = false;
    std::exception_ptr failure_;
};

}  // namespace encoder
