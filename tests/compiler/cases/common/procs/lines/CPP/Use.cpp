using namespace Use;
namespace C {using namespace Cells;}
namespace {C::Cell n(C::Cell::VYK_INIT_none);}
//HANDLER PROCEDURE Add
void Use::VYK_HANDLER_Add_0(int n, C::Int* acc, char *VYK_ARR_s, const int VYK_ARR_0_s, C::Row VYK_ARR_r[3], C::Cell* c) {
	using C::Add;
	C::i.VYK_SPEC_int->v = 7;
	C::Add(2, &acc, (char*)"int", 4, C::row,&C::i);
	q = new(VYK_HEAP) C::Cell(C::Cell::VYK_INIT_pair);
	if (q && (q->VYK_SID == q->VYK_SID_pair)) {
		q->VYK_SPEC_pair->a = 3;
		q->VYK_SPEC_pair->b = 4;
	C::Add(10, &acc, (char*)"pair", 5, C::row,&*(q));
	C::Add(1, &acc, (char*)"none", 5, C::row,&n);
	Out::Int(C::Size(&n), 0);
