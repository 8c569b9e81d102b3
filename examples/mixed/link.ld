/* The MCF5208EVB's SDRAM starts at 0x40000000; QEMU loads the ELF there and
 * starts it at _start. */
ENTRY(_start)
MEMORY { ram : ORIGIN = 0x40000000, LENGTH = 1M }
SECTIONS
{
    .text : { *(.text .text.*) } > ram
    .rodata : { *(.rodata .rodata.*) } > ram
    .data : { *(.data .data.*) *(.sdata) } > ram
    .bss : { *(.bss .bss.*) *(.sbss) *(COMMON) } > ram
}
