// Local price look-up in the station's price file (CORE.INI PRODUTO/
// TYPE_READ 1, file PRODUTO/FILENAME relative to the installation directory).
// Grammar: doc/price-file.md.
//
// Thread-safety: any thread.
#pragma once

namespace vtx::cli {

// As GetPreco: 0 found (outputs filled, no terminators), -1 not found.
int lookUpPrice(const char* productCode, const char* priceType, char* description, char* price1,
                char* price2);

}  // namespace vtx::cli
