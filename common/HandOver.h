#pragma once
#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <cstddef>
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
      : use_(std::move(use)),
        weigh_(std::move(weigh)),
        maxItems_(std::max<size_t>(maxItems, 1)),
        maxWeight_(maxWeight),
        slots_(maxItems_) {
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
    const size_t weight = weigh_(item);
    size_t slot = 0;
    {
      std::unique_lock lock(mutex_);
      makerSleeps_ = true;
      room_.wait(lock, [this] { return (count_ < slots_.size() && weight_ < maxWeight_) || failure_; });
      makerSleeps_ = false;
      ThrowIfFailed();
      slot = (head_ + count_) % slots_.size();
    }
    // The free slot is the maker's until it is counted: the item goes in
    // and the slot's earlier item comes out without holding the lock.
    std::swap(item, slots_[slot]);
    std::unique_lock lock(mutex_);
    ++count_;
    weight_ += weight;
    NoteBacklog();
    // The user is woken for a batch, not for every item: small items would
    // cost more in switching threads than in using them.
    const bool wake = userSleeps_ && (count_ >= (maxItems_ + 3) / 4 || weight_ >= (maxWeight_ + 3) / 4);
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
    room_.wait(lock, [this] { return count_ == 0 || failure_; });
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
    behind_.store(count_ > maxItems_ / 2 || weight_ > maxWeight_ / 2, std::memory_order_relaxed);
  }

  void Run() {
    std::unique_lock lock(mutex_);
    for (;;) {
      userSleeps_ = true;
      work_.wait(lock, [this] { return stopping_ || count_ > 0; });
      userSleeps_ = false;
      if (stopping_) return;
      // The first waiting slot is the user's until it is let go: used in
      // place, without the lock.
      Item& item = slots_[head_];
      lock.unlock();
      const size_t weight = weigh_(item);
      std::exception_ptr failure;
      try {
        use_(item);
      } catch (...) {
        failure = std::current_exception();
      }
      lock.lock();
      if (stopping_) return;
      head_ = (head_ + 1) % slots_.size();
      --count_;
      weight_ -= weight;
      if (failure) {
        // What waits would follow a gap: it is dropped, and the maker
        // learns why at its next hand-over.
        failure_ = failure;
        count_ = 0;
        weight_ = 0;
      }
      NoteBacklog();
      // The maker is woken once half the room is free (or all of it, for
      // Settle), not for every item used.
      const bool halfFree = count_ <= maxItems_ / 2 && weight_ <= maxWeight_ / 2;
      if (makerSleeps_ && (halfFree || count_ == 0 || failure_)) room_.notify_one();
    }
  }

  const std::function<void(Item&)> use_;
  const std::function<size_t(const Item&)> weigh_;
  const size_t maxItems_, maxWeight_;
  std::mutex mutex_;
  // The user sleeps on `work_` for an item, the maker on `room_` for room
  // or for the items to be used; each is woken only while it sleeps.
  std::condition_variable work_, room_;
  bool userSleeps_ = false, makerSleeps_ = false;
  // A ring of items: `count_` from `head_` on wait or are in use (the
  // first), the rest were used and keep their memory for the maker, who
  // gets one back for each it hands over.
  std::vector<Item> slots_;
  size_t head_ = 0, count_ = 0;
  size_t weight_ = 0;  // of the items counted
  std::atomic<bool> behind_{false};
  bool stopping_ = false;
  std::exception_ptr failure_;
  std::thread thread_;
};
