#pragma once

#include <QString>

// The folder of the read-only shipped documents and pictures: beside the
// executable in the build tree, or under the install prefix's share folder.
// Empty when none is found.
QString shippedContentFolder();
