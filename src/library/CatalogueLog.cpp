#include "library/CatalogueLog.h"

Q_LOGGING_CATEGORY(lcCatalogue, "kestrola.catalogue", QtInfoMsg)
