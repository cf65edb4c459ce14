// Below its own layer: allowed.
#include "storage/Upward.h"
#include <vector>
