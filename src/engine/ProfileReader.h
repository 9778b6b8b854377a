// The reader of profile files ("Joystick" documents): the polling delay, the shift buttons,
// and the actions of the axes, buttons and POV directions of one controller in each shift
// state. CJoystick::LoadProfile parses the file, runs the reader on the tree and applies what
// it returns to its elements.
//
// Reading order: the root must be "Joystick"; the identity check (a profile made for another
// controller asks "Load it anyway?" in an interactive load, and is accepted silently in a quiet
// one); then the delay, the shift buttons, the axes, the buttons and the POV directions. The
// reader touches no controller: it works from a description of one and returns the sections
// in the order the controller applies them, under its element lock (an axis error there ends
// the load). Messages are collected in the order they arose and shown by the caller after the
// lock is released; a quiet load shows none.
#pragma once

#include <optional>
#include <string>
#include <vector>

class CXMLNode;
class CProfileMessages;

// What the reader needs to know of the controller it reads for.
struct ProfileTarget {
  int id = -1;
  std::string deviceName;
  bool hasPov = false;
  int elementCount = 0;  // POV directions (four with a hat), then buttons
};

// A profile as read, ready to be applied. The sections point into the tree that was read,
// which must outlive them.
struct ProfileContents {
  struct Axis {
    std::string name;  // as written; the controller matches it without regard to case
    const CXMLNode* element;
  };
  // The "Actions" and "ReleaseActions" of a "Button" or POV "Direction", or a finding about
  // one that is not used (reported in its place, among the messages of the actions).
  struct ElementActions {
    int number = 0;  // the element: 1..4 the hat directions, then the buttons
    const CXMLNode* element = nullptr;
    std::string finding;
  };
  std::optional<int> pollingDelay;  // "Delay", when the profile has a valid one
  std::vector<int> shiftButtons;    // element numbers, in the file's order
  std::vector<Axis> axes;
  std::vector<ElementActions> elements;  // the buttons, then the POV directions
};

class CProfileReader {
 public:
  CProfileReader(ProfileTarget target, std::string path, bool interactive);

  // The profile's sections, or none when the profile must not be used.
  std::optional<ProfileContents> Read(const CXMLNode& root, CProfileMessages& messages) const;

 private:
  bool IdentityAccepted(const CXMLNode& root) const;
  void ReadShiftButtons(const CXMLNode& root, ProfileContents& contents) const;
  void ReadAxes(const CXMLNode& root, ProfileContents& contents) const;
  void ReadButtons(const CXMLNode& root, ProfileContents& contents) const;
  void ReadPov(const CXMLNode& root, ProfileContents& contents) const;
  // The element number of button n (n + 4 behind a POV hat), or 0 when out of range.
  int ButtonPosition(int n) const;

  ProfileTarget target_;
  std::string path_;
  bool interactive_;
};
