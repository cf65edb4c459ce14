// Qt has no place in the core.
#include <QString>
