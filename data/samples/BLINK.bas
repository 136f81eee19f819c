' BLINK.bas - flashes an LED on PORTB.0 once a second
DEVICE 16F84
XTAL 4

Symbol LED = PORTB.0

TRISB = %11111110          ' PORTB.0 is an output
Main:
    High LED
    DelayMS 500
    Low LED
    DelayMS 500
    GoTo Main
