// The reader of profile files ("Joystick" documents): the polling delay, the shift buttons,
// and the actions of the axes, buttons and POV directions of one controller in each shift
// state. CJoystick::LoadProfile parses the file and runs the reader on the tree.
//
// Reading order: the root must be "Joystick"; the identity check (a profile made for another
// controller asks "Load it anyway?" in an interactive load, and is accepted silently in a quiet
// one); then, under the controller's element lock, the shift buttons, the axes (an error there
// ends the load), the buttons and the POV directions. Messages are shown in the order they
// arose, after the lock is released; a quiet load shows none.
#pragma once

#include <string>

class CJoystick;
class CXMLNode;
class CProfileMessages;

class CProfileReader {
 public:
  CProfileReader(CJoystick& joystick, std::string path, bool interactive);

  // Reads the tree into the controller; false when the profile must not be used (the
  // controller then keeps whatever was read up to that point).
  bool Read(const CXMLNode& root);
  // The profile's "Delay", or 30 when it has none (known after Read).
  int PollingDelay() const { return pollingDelay_; }

 private:
  bool ReadTree(const CXMLNode& root, CProfileMessages& messages);
  bool IdentityAccepted(const CXMLNode& root);
  // These run under the controller's element lock.
  void ReadShiftButtons(const CXMLNode& root);
  bool ReadAxes(const CXMLNode& root, CProfileMessages& messages);
  void ReadButtons(const CXMLNode& root, CProfileMessages& messages);
  void ReadPov(const CXMLNode& root, CProfileMessages& messages);
  // The element position of button n (n + 4 behind a POV hat), or 0 when out of range.
  int ButtonPosition(int n) const;

  CJoystick& joystick_;
  std::string path_;
  bool interactive_;
  int pollingDelay_;
};
