#pragma once

#include <QLoggingCategory>

// Debug output of the catalogue and its walk ("kestrola.catalogue"), off unless
// QT_LOGGING_RULES enables it.
Q_DECLARE_LOGGING_CATEGORY(lcCatalogue)
