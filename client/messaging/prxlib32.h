/*
 * PrxLib32 — the interface the client expects of the external price system's
 * library (the shop's price server client). The external system itself is
 * outside this product; this header is the contract a library for this
 * platform implements. The client owns it (LoadedPriceSystem binds these
 * functions by name); tools/pricesim builds a stand-in on it for tests and the
 * demo.
 *
 * Texts are Windows-1252 bytes. Record fields are fixed width, blank-padded,
 * without terminators. Every function returns 0 on success.
 *
 * Thread-safety: one session (logon ... logoff) at a time per process.
 */
#ifndef PRXLIB32_H
#define PRXLIB32_H

#ifdef __cplusplus
extern "C" {
#endif

typedef struct PrxProduto {
    char descricao[35];        /* description */
    char preco[10];            /* price, decimal text ("12,50" or cents "1250") */
    char precoPromocional[10]; /* promotional price; used when numeric and above 0 */
    char codigo[2];            /* a 2-character code passed back to the caller */
} PrxProduto;

/* Opens a session with the 8-character logon code. */
int PrxLogon(const char* logonCode);

/* Product of `product` (code) in the category lookup of store `store`. */
int PrxLeProdCategCompl(const char* store, const char* product, PrxProduto* out,
                        unsigned char* value1, unsigned char* value2, unsigned char* value3);

/* Product by bar code; also fills `associated` with the associated product
 * codes, 13 characters each, blank-padded, at most `associatedSize` bytes. */
int PrxLeProdEAN(const char* store, const char* product, PrxProduto* out, unsigned char* value1,
                 unsigned char* value2, unsigned char* value3, char* associated,
                 int associatedSize);

/* Closes the session. */
int PrxLogoff(void);

#ifdef __cplusplus
}
#endif

#endif /* PRXLIB32_H */
