// The statement sequence of a module body. This first version reads an empty sequence (at most
// some ";") and writes nothing; the statements replace it.
#include "Diagnostics.h"
#include "Lexer.h"
#include "Module.h"

namespace {
class CEmptyBody : public CStatementBody {
public:
    void WriteCPP(CCppOutput&) override {}
    int GetReturnState() const override { return 0; }
};
}  // namespace

int ReadStatementBody(CLexBuf& lb, CBaseName*, std::unique_ptr<CStatementBody>& body)
{
    body = std::make_unique<CEmptyBody>();
    for (;;) {
        SLexPos pos = lb.SavePos();
        int code = 0;
        if (!lb.NextSymbol(code) || code != symSemicolon) {
            lb.RestorePos(pos);
            return errOK;
        }
    }
}
