#pragma once
#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <exception>
#include <functional>
#include <mutex>
#include <system_error>
#include <thread>
#include <utility>
#include <vector>

// Hands items to `use` on a thread of its own, in the order they come, so
// that making the next items overlaps using the last ones. What waits is
// bounded by a count of items and by their weight (`weigh`), so memory stays
// small whatever the whole. Items go back and forth with their memory: each
// one handed over leaves the maker an item used before, to be emptied and
// filled again. Where no thread can be started, each item is used at once.
template <class Item>
class HandOver {
 public:
  HandOver(std::function<void(Item&)> use, std::function<size_t(const Item&)> weigh, size_t maxItems, size_t maxWeight)
      : use_(std::move(use)), weigh_(std::move(weigh)), maxItems_(maxItems), maxWeight_(maxWeight) {
    try {
      thread_ = std::thread([this] { Run(); });
    } catch (const std::system_error&) {
      // No thread: every item is used as it is handed over.
    }
  }
  ~HandOver() {  // drops what waits; waits for the item in use
    {
      std::lock_guard lock(mutex_);
      stopping_ = true;
      queue_.clear();
    }
    work_.notify_all();
    if (thread_.joinable()) thread_.join();
  }
  HandOver(const HandOver&) = delete;
  HandOver& operator=(const HandOver&) = delete;

  // `item` is used after those handed before it; its contents are taken
  // over. Throws what `use` threw on an earlier item.
  void Hand(Item& item) {
    if (!thread_.joinable()) return use_(item);
    std::unique_lock lock(mutex_);
    makerSleeps_ = true;
    room_.wait(lock, [this] { return (queue_.size() < maxItems_ && weight_ < maxWeight_) || failure_; });
    makerSleeps_ = false;
    ThrowIfFailed();
    weight_ += weigh_(item);
    queue_.push_back(std::move(item));
    NoteBacklog();
    item = Item();
    if (!spare_.empty()) {
      item = std::move(spare_.back());
      spare_.pop_back();
    }
    // The user is woken for a batch, not for every item: small items would
    // cost more in switching threads than in using them.
    const bool wake = userSleeps_ && (queue_.size() >= (maxItems_ + 3) / 4 || weight_ >= (maxWeight_ + 3) / 4);
    lock.unlock();
    if (wake) work_.notify_one();
  }

  // Whether the user lags: over half the room is taken. The maker may then
  // take on work the user would otherwise do.
  bool Behind() const { return behind_.load(std::memory_order_relaxed); }

  // Waits until every item handed over is used; throws what `use` threw on
  // any of them.
  void Settle() {
    if (!thread_.joinable()) return;
    std::unique_lock lock(mutex_);
    work_.notify_one();  // what waits is used now, however little
    makerSleeps_ = true;
    room_.wait(lock, [this] { return (queue_.empty() && !busy_) || failure_; });
    makerSleeps_ = false;
    ThrowIfFailed();
  }

 private:
  // A failure stays: an item lost on the way fails the whole, even where
  // the maker goes on past a fault of its own.
  void ThrowIfFailed() {
    if (failure_) std::rethrow_exception(failure_);
  }

  void NoteBacklog() {  // under the lock
    behind_.store(queue_.size() > maxItems_ / 2 || weight_ > maxWeight_ / 2, std::memory_order_relaxed);
  }

  void Run() {
    Item current;
    std::unique_lock lock(mutex_);
    for (;;) {
      userSleeps_ = true;
      work_.wait(lock, [this] { return stopping_ || !queue_.empty(); });
      userSleeps_ = false;
      if (stopping_) return;
      std::swap(current, queue_.front());
      if (spare_.size() < maxItems_) spare_.push_back(std::move(queue_.front()));
      queue_.pop_front();
      weight_ -= weigh_(current);
      NoteBacklog();
      busy_ = true;
      lock.unlock();
      std::exception_ptr failure;
      try {
        use_(current);
      } catch (...) {
        failure = std::current_exception();
      }
      lock.lock();
      busy_ = false;
      if (failure) {
        // What waits would follow a gap: it is dropped, and the maker
        // learns why at its next hand-over.
        failure_ = failure;
        queue_.clear();
        weight_ = 0;
        NoteBacklog();
      }
      // The maker is woken once half the room is free (or all of it, for
      // Settle), not for every item used.
      const bool halfFree = queue_.size() <= maxItems_ / 2 && weight_ <= maxWeight_ / 2;
      if (makerSleeps_ && (halfFree || queue_.empty() || failure_)) room_.notify_one();
    }
  }

  const std::function<void(Item&)> use_;
  const std::function<size_t(const Item&)> weigh_;
  const size_t maxItems_, maxWeight_;
  std::mutex mutex_;
  // The user sleeps on `work_` for an item, the maker on `room_` for room
  // or for the queue to empty; each is woken only while it sleeps.
  std::condition_variable work_, room_;
  bool userSleeps_ = false, makerSleeps_ = false;
  std::deque<Item> queue_;
  size_t weight_ = 0;
  std::atomic<bool> behind_{false};
  std::vector<Item> spare_;  // used items (as many as may wait), kept for their memory
  bool busy_ = false, stopping_ = false;
  std::exception_ptr failure_;
  std::thread thread_;
};
