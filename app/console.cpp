#include "console.h"

namespace zentor {

void FindConsole() {}

int EndWith(int status) {
  return status;
}

}  // namespace zentor
