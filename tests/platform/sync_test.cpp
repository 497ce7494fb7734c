#include "support/console_driver.h"
