#pragma once
#include <cstring>

// A count kept as its decimal digits, stepped on in place: the OBJ's face
// lines carry the counts of vertices, texture coordinates and normals so
// far, and adding one to the text costs less than writing a number anew.
class DecimalCounter {
 public:
  DecimalCounter() { Reset(); }

  void Reset() {
    digits_[kRoom - 1] = '0';
    size_ = 1;
  }

  void Increment() {
    int i = kRoom - 1;
    while (i >= kRoom - size_ && digits_[i] == '9') digits_[i--] = '0';
    if (i < kRoom - size_) {
      digits_[i] = '1';  // 9..9 became 10..0: one digit more
      ++size_;
    } else {
      ++digits_[i];
    }
  }

  // Copies the digits to `out` and returns their end.
  char* Write(char* out) const {
    std::memcpy(out, digits_ + kRoom - size_, static_cast<size_t>(size_));
    return out + size_;
  }

 private:
  static constexpr int kRoom = 20;  // past any count of lines
  char digits_[kRoom];              // right-aligned
  int size_;
};
