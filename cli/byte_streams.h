#pragma once
// Where the command line's bytes come from and go to: standard input and
// output in the program, strings in the tests.

#include <cstddef>
#include <string>
#include <string_view>

class Byte_Source {
 public:
  virtual ~Byte_Source() = default;
  // Up to `size` bytes into `buffer`, as many as are there without waiting
  // for more once some have come; 0 only at the end.
  virtual std::size_t read_some(char* buffer, std::size_t size) = 0;
  // The system error that ended the reading early, 0 for none.
  virtual int error() const { return 0; }
  // Whether bytes (or the end) come within `milliseconds`; a source that
  // never keeps its reader waiting says yes at once.
  virtual bool wait_for_input(int /*milliseconds*/) { return true; }
};

class Byte_Sink {
 public:
  virtual ~Byte_Sink() = default;
  // Writes all of `bytes`; false when they could not be written.
  virtual bool write(std::string_view bytes) = 0;
  // The system error of a failed write, 0 for none.
  virtual int error() const { return 0; }
};

// A file descriptor, read or written with the system calls themselves: a
// pipe hands over what it has at once, so a line typed at a terminal is
// answered before the next one is read. Errors are kept for the message.
class Fd_Source final : public Byte_Source {
 public:
  explicit Fd_Source(int fd) : fd_(fd) {}
  std::size_t read_some(char* buffer, std::size_t size) override;
  int error() const override { return error_; }
  bool wait_for_input(int milliseconds) override;

 private:
  int fd_;
  int error_ = 0;
};

class Fd_Sink final : public Byte_Sink {
 public:
  explicit Fd_Sink(int fd) : fd_(fd) {}
  bool write(std::string_view bytes) override;
  int error() const override { return error_; }

 private:
  int fd_;
  int error_ = 0;
};

// Gathers small writes into large ones. What is gathered goes out when it
// grows past a limit and whenever flush() is called.
class Output_Buffer {
 public:
  explicit Output_Buffer(Byte_Sink& sink, std::size_t limit = std::size_t{1} << 18);
  // False once a write to the sink has failed; later output is dropped.
  bool append(std::string_view bytes);
  // The gathered bytes, to append to in place; commit() after that.
  std::string& gathered() { return pending_; }
  bool commit();
  bool flush();
  bool failed() const { return failed_; }

 private:
  Byte_Sink& sink_;
  std::size_t limit_;
  std::string pending_;
  bool failed_ = false;
};
