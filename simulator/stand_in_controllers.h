// Stand-ins for the controllers other modules of the client serve (the sidebar windows the
// conclusion page brings forward or minimises). Each writes the call it receives on the observer
// seam as a "controller" line, so a scenario sees what the module asked of them.
#pragma once

#include <string>
#include <vector>

namespace sim {

class StandInControllers {
 public:
  // The URIs served, in the order they are registered.
  static const std::vector<std::string>& Uris();

  // Registers every stand-in that nothing else serves yet.
  StandInControllers();
  // Removes the stand-ins it registered, and the controllers made from them.
  ~StandInControllers();
  StandInControllers(const StandInControllers&) = delete;
  StandInControllers& operator=(const StandInControllers&) = delete;

 private:
  std::vector<std::string> registered_;
};

}  // namespace sim
