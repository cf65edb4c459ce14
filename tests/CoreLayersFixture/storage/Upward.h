// Reaches a higher layer through angle brackets and spaces.
  #  include <calc/Sheet.h>
