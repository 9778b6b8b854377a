// What a replay prints: one line per synthetic keyboard or mouse event, profile start and
// message box, each starting with the virtual time in milliseconds.
//
//   TIME key VK down|up [extended]      VK as 0x and lower-case hexadecimal
//   TIME mouse left|right|middle down|up
//   TIME mouse move DX DY
//   TIME mouse absolute X Y
//   TIME wheel DELTA
//   TIME profile ID PATH
//   TIME message [CAPTION] TEXT
//   TIME question [CAPTION] TEXT -> ANSWER
//
// One mouse event gives a line for its move first (the system moves before it clicks), then
// one per button change, then one for the wheel. CR and LF inside a message are written as
// \r and \n, so every event stays on one line.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "config/ConfigurationObserver.h"
#include "platform/Platform.h"

namespace seam {
class SimDesktop;
}

namespace replay {

// Where the lines go, without their line ends.
class IOutput {
 public:
  virtual ~IOutput() = default;
  virtual void Line(std::string_view line) = 0;
};

// CR as \r and LF as \n.
std::string EscapeLineBreaks(std::string_view text);
// "yes", "no", "ok" or "cancel".
const char* AnswerWord(seam::MessageAnswer answer);
// "message [CAPTION] TEXT" for a box with only OK, else "question [CAPTION] TEXT -> ANSWER".
std::string MessageLine(const std::string& text, const std::string& caption,
                        seam::MessageButtons buttons, seam::MessageAnswer answer);

// Stands in for the input, the message boxes and the configuration's observer, and prints what
// reaches them. Mouse events move the simulated cursor as the system would (it stays on the
// screen); questions take their answers from `answers` (the simulated message boxes with the
// script's answers queued).
class CEventPrinter : public seam::IInput, public seam::IMessages, public IConfigurationObserver {
 public:
  CEventPrinter(IOutput& output, seam::IClock& clock, seam::SimDesktop& desktop,
                seam::IMessages& answers);

  void KeyboardEvent(std::uint8_t vk, std::uint8_t scan, std::uint32_t flags) override;
  void MouseEvent(std::uint32_t flags, std::int32_t dx, std::int32_t dy,
                  std::int32_t data) override;
  seam::MessageAnswer Show(const std::string& text, const std::string& caption,
                           seam::MessageButtons buttons, seam::MessageIcon icon) override;
  void ProfileStarted(int id, const std::string& path) override;

  std::uint64_t Lines() const { return lines_; }

 private:
  // Prints "TIME " + the formatted rest.
  void Print(const char* format, ...);
  void PrintText(const std::string& rest);

  IOutput& output_;
  seam::IClock& clock_;
  seam::SimDesktop& desktop_;
  seam::IMessages& answers_;
  std::uint64_t lines_ = 0;  // a replay runs on one thread
};

}  // namespace replay
