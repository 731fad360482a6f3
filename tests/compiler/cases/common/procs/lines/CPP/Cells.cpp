using namespace Cells;
Cell Cells::i(Cell::VYK_INIT_int);
namespace {Cell p(Cell::VYK_INIT_pair);}
//COMMON PROCEDURE Size
#include <stdio.h>
int Cells::Size(Cell* c) {
	typedef int (*VYK_TYPE) (Cell* c);
	VYK_TYPE VYK_PROC;
	VYK_PROC = (VYK_TYPE)VYK_COMMON_Cells_Size(c);
	if (VYK_PROC) return VYK_PROC(c);
	fputs("VYK: no handler of common procedure Cells.Size\n", stderr);
	exit(254);
//COMMON PROCEDURE Add
void Cells::Add(int n, Int* acc, char *VYK_ARR_s, const int VYK_ARR_0_s, Row VYK_ARR_r[3], Cell* c) {
	typedef void (*VYK_TYPE) (int n, Int* acc, char *VYK_ARR_s, const int VYK_ARR_0_s, Row VYK_ARR_r[3], Cell* c);
	VYK_PROC = (VYK_TYPE)VYK_COMMON_Cells_Add(c);
	if (VYK_PROC) {
		VYK_PROC(n, acc, VYK_ARR_s, VYK_ARR_0_s, VYK_ARR_r, c);
		return;
//COMMON PROCEDURE Hidden
bool Hidden(CellPtr* c) {
	typedef bool (*VYK_TYPE) (CellPtr* c);
	VYK_PROC = (VYK_TYPE)VYK_COMMON_Cells_Hidden(c);
//HANDLER PROCEDURE Size
int Cells::VYK_HANDLER_Size_0(Cell* c) {
int Cells::VYK_HANDLER_Size_1(Cell* c) {
//HANDLER PROCEDURE Add
void Cells::VYK_HANDLER_Add_2(int n, Int* acc, char *VYK_ARR_s, const int VYK_ARR_0_s, Row VYK_ARR_r[3], Cell* c) {
//HANDLER PROCEDURE Hidden
bool Cells::VYK_HANDLER_Hidden_3(Cell* c) {
void Show(Int* r, Int s) {
int Kind(Cell* c) {
	if (c && (c->VYK_SID == c->VYK_SID_pair)) {
	i.VYK_SPEC_int->v = 5;
	p.VYK_SPEC_pair->a = 2;
	p.VYK_SPEC_pair->b = 2;
	Show(i.VYK_SPEC_int, *i.VYK_SPEC_int);
	sum = Size(&i) + Size(&p);
	Out::Int(Kind(&i), 0);
	Out::Int(Kind(&p), 0);
	q = new(VYK_HEAP) Cell(Cell::VYK_INIT_pair);
	if (q && (q->VYK_SID == q->VYK_SID_pair)) {
		q->VYK_SPEC_pair->a = 1;
		q->VYK_SPEC_pair->b = 1;
	Out::Int(Kind(&*(q)), 0);
