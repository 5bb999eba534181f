#pragma once

#include "print_pattern.h"

namespace plexaro {

// The system's CUPS: the default destination of the user (lpoptions, the
// server's default) and jobs queued straight to the spooler, so that a job
// the spooler refuses is seen as refused.
class CupsSpooler : public Spooler {
 public:
  std::optional<PrintDestination> defaultDestination() override;
  int submit(const PrintDestination& destination, const std::string& path,
             const std::string& title) override;
  std::string lastError() const override { return lastError_; }

 private:
  std::string lastError_;
};

}  // namespace plexaro
