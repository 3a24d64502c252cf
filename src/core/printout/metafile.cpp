// Placeholder decoder; the WMF and EMF reader replaces this file.
#include "common/cp1250.h"
#include "common/error.h"
#include "document/picture.h"

namespace bilvox {

Picture DecodeMetafile(std::string_view) { throw Error(std::string("Nieprawidłowy format pliku."_cp)); }

}  // namespace bilvox
