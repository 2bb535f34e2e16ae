#pragma once

#include <string>

// The order-number part of the filter. Both flags false means every order number.
struct TNrPedido {
    bool boIntervalo = false;
    bool boLista = false;
    std::string stDe;
    std::string stAte;
    std::string stLista; // order numbers joined by "_"
};

// The product, seller and client choices share one shape but stay distinct types, so that one
// cannot be assigned to another by mistake.
struct TProduto {
    bool boTodos = false;
    std::string stLista; // CDPRODUTO codes joined by "_"
};

struct TVendedor {
    bool boTodos = false;
    std::string stLista; // CDVENDEDOR codes joined by "_"
};

struct TCliente {
    bool boTodos = false;
    std::string stLista; // CDCLIENTE codes joined by "_"
};

// The last confirmed filter of the order-cancellation screen. The dialog shows it again at every
// opening; only the dialog's confirmation writes it. Dates are date values, 0 meaning no date.
struct TFiltro {
    TNrPedido NrPedido;
    bool boNormal = false;
    bool boAlta = false;
    bool boUrgente = false;
    bool boPPendente = false;
    bool boPAndamento = false;
    bool boPLiquidado = false;
    bool boPCancelado = false;
    bool boPParcialmente = false;
    bool boIPendente = false;
    bool boIConfirmado = false;
    bool boIAprovado = false;
    bool boILiquidado = false;
    bool boICancelado = false;
    bool boIParcialmente = false;
    TProduto Produto;
    TVendedor Vendedor;
    TCliente Cliente;
    double dtDeEntrega = 0;
    double dtAteEntrega = 0;
    double dtDeEmissao = 0;
    double dtAteEmissao = 0;
    std::string stReservado;

    // Puts the record in its "everything" state: every order number, every situation and
    // priority, every product, seller and client, no dates. stReservado is left as it is.
    void Reset();
    // Gives back the memory of every text, as the unit does when the module is unloaded.
    void ReleaseTexts();
};
