// A sink that keeps nothing and checks what the writer sends it: containers
// closed in the order they were opened, every value in an object under a key,
// keys in strictly increasing byte-wise order, exactly one value at the top.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "ast/sink.hpp"

namespace vyn::fuzz {

class CheckingSink final : public ast::Sink {
 public:
  void begin_object() override;
  void key(ast::Key key) override;
  void end_object() override;
  void begin_array(std::size_t size) override;
  void end_array() override;
  void null() override { value(); }
  void boolean(bool) override { value(); }
  void unsigned_integer(std::uint64_t) override { value(); }
  void signed_integer(std::int64_t) override { value(); }
  void floating(double) override { value(); }
  void string(std::string_view) override { value(); }

  // Fails unless exactly one complete value was written.
  void finish() const;

 private:
  struct Open {
    bool object;
    bool keyed = false;    // a key waits for its value
    bool has_key = false;  // last_key holds the previous key
    std::string last_key = {};
  };

  // Accounts for one value (a scalar or a container being opened).
  void value();

  std::vector<Open> open_;
  std::size_t top_level_values_ = 0;
};

}  // namespace vyn::fuzz
