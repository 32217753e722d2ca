// IoFailure: the one exception that every failing file operation of the
// engine raises. The conversion run catches it; the entity readers absorb it.
#pragma once

#include <stdexcept>
#include <string>
#include <system_error>

#include "engine/conversion_run.h"

namespace vernolak {

class IoFailure : public std::runtime_error {
  public:
    IoFailure(ConversionStep step, std::string path, std::error_code error)
        : std::runtime_error(DescribeStep(step)),
          step_(step),
          path_(std::move(path)),
          error_(error) {}

    ConversionStep step() const { return step_; }
    const std::string& path() const { return path_; }
    std::error_code error() const { return error_; }

  private:
    ConversionStep step_;
    std::string path_;
    std::error_code error_;
};

}  // namespace vernolak
