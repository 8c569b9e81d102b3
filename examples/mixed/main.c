/* main.c - the C half of the mixed example: calls the assembly routines
 * directly and through the assembly table asm_ops, and hands the assembly
 * side a table of its own (c_ops) to walk. */

typedef int (*op_fn)(int);

extern void uart_puts(const char *text);
extern void uart_hex(unsigned long value);
extern int asm_negate(int x);
extern int asm_triple(int x);
extern void asm_walk(int x);
extern const op_fn asm_ops[];
extern const int asm_op_count;

int c_double(int x) { return x + x; }
int c_square(int x) { return x * x; }

struct named_op {
    const char *name;
    op_fn fn;
};

/* Read by asm_walk: two routines written in assembly, one in C. */
const struct named_op c_ops[] = {
    {"negate", asm_negate},
    {"triple", asm_triple},
    {"square", c_square},
    {0, 0},
};

void c_main(void)
{
    uart_puts("C: asm_negate(9) = ");
    uart_hex(asm_negate(9));
    uart_puts("\r\n");
    for (int i = 0; i < asm_op_count; i++) {
        uart_puts("C: asm_ops[");
        uart_hex(i);
        uart_puts("](7) = ");
        uart_hex(asm_ops[i](7));
        uart_puts("\r\n");
    }
    asm_walk(5);
}
