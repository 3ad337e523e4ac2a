#include "encoder/wavefront.h"

#include <algorithm>
#include <thread>

namespace encoder {

Wavefront::Wavefront(int rows, int columns, int lead) : rows_(rows), columns_(columns), lead_(lead) {}

int Wavefront::usefulWorkers(int threads) const {
    return std::max(1, std::min({threads, rows_, (columns_ + lead_ - 1) / lead_}));
}

void Wavefront::run(int workers, const Item& item) {
    done_.assign(size_t(rows_), 0);
    wanted_.assign(size_t(rows_), 0);
    nextRow_ = 0;
    stopping_ = false;
    failure_ = nullptr;
    std::vector<std::thread> threads;
    threads.reserve(size_t(std::max(workers - 1, 0)));
    for (int worker = 1; worker < workers; ++worker) {
        try {
            threads.emplace_back(&Wavefront::work, this, worker, std::cref(item));
        } catch (...) {
            break;  // one worker can do every row, and any split of the rows gives the same results
        }
    }
    work(0, item);
    for (std::thread& thread : threads) thread.join();
    if (failure_) std::rethrow_exception(failure_);
}

void Wavefront::work(int worker, const Item& item) {
    try {
        for (int row = takeRow(); row >= 0; row = takeRow())
            for (int column = 0; column < columns_; ++column) {
                if (!awaitRowAbove(row, column)) return;
                item(worker, row, column);
                finished(row);
            }
    } catch (...) {
        stop(std::current_exception());
    }
}

int Wavefront::takeRow() {
    const std::lock_guard lock(mutex_);
    return stopping_ || nextRow_ == rows_ ? -1 : nextRow_++;
}

bool Wavefront::awaitRowAbove(int row, int column) {
    std::unique_lock lock(mutex_);
    const int needed = std::min(columns_, column + lead_);
    if (row > 0 && !stopping_ && done_[size_t(row - 1)] < needed) {
        // Once held up, wait for a few more items than needed: rows that
        // resumed item by item would wake each other for every item.
        int& wanted = wanted_[size_t(row)];
        wanted = std::min(columns_, needed + kResumeSlack);
        progress_.wait(lock, [&] { return stopping_ || done_[size_t(row - 1)] >= wanted; });
        wanted = 0;
    }
    return !stopping_;
}

void Wavefront::finished(int row) {
    const std::lock_guard lock(mutex_);
    const int done = ++done_[size_t(row)];
    if (row + 1 < rows_ && wanted_[size_t(row + 1)] != 0 && done >= wanted_[size_t(row + 1)]) progress_.notify_all();
}

void Wavefront::stop(std::exception_ptr failure) {
    const std::lock_guard lock(mutex_);
    if (!failure_) failure_ = std::move(failure);
    stopping_ = true;
    progress_.notify_all();
}

}  // namespace encoder
