// The list of programs started with the system, in memory. Value names match without regard
// to case, as registry value names do.
#pragma once

#include <map>
#include <mutex>
#include <optional>
#include <string>

#include "platform/Platform.h"

namespace seam {

class SimStartupEntry : public IStartupEntry {
 public:
  bool Write(const std::string& name, const std::string& command) override;
  bool Remove(const std::string& name) override;

  // While unavailable (as a list the user may not open), Write and Remove fail and change
  // nothing.
  void SetAvailable(bool available);
  std::optional<std::string> Value(const std::string& name);
  std::size_t Size();

 private:
  struct NoCase {
    bool operator()(const std::string& a, const std::string& b) const;
  };
  std::mutex lock_;  // guards available_ and values_
  bool available_ = true;
  std::map<std::string, std::string, NoCase> values_;
};

}  // namespace seam
