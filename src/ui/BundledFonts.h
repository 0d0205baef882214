#pragma once

#include <QString>

// The windows are laid out for Liberation Sans, which travels inside the tool
// as Qt resources: every machine draws the same glyphs with the same metrics,
// whatever fonts it has installed (Windows has no Liberation Sans at all).
// The first call registers the regular and bold faces with the application;
// returns the family to ask for.
QString bundledSansFamily();
