#pragma once

namespace dalvira {

class AppContext;

// The reference lists: the transaction types screen "gelirturF" (also the type picker), the
// payment methods "odemesekliF" and currencies "parabirimiF", their main-menu commands, and the
// refill of the type, method and currency lists when a site is entered. Call it before any
// screen is made that registers its lists (TypeLists.h, cash/MethodLists.h).
void registerReferenceScreens(AppContext &app);

} // namespace dalvira
