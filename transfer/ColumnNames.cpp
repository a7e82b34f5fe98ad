#include "transfer/ColumnNames.h"

namespace kv {

FieldNames CurrentFieldNames(const AppSettings& settings) {
    FieldNames names;
    for (int field = 0; field < kFieldCount; ++field) {
        names[field] = field < kNamedColumns ? settings.ColumnNames[field] : DefaultFieldName(field);
    }
    return names;
}

}  // namespace kv
